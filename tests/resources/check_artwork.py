#!/usr/bin/env python3
"""Checks the committed artwork in resources/ against the formats the program
loads, and that make_artwork.py reproduces it byte for byte.

Usage: python3 tests/resources/check_artwork.py [--resources DIR]
Prints one line per failed check and a final "N passed, M failed" line;
exits 1 if anything failed.
"""

import argparse
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_RESOURCES = os.path.normpath(os.path.join(HERE, "..", "..", "resources"))
HELP_DRAWN = {"arrownext.bmp": (19, 19), "arrowback.bmp": (19, 19), "arrownextdown.bmp": (19, 19),
              "arrowbackdown.bmp": (19, 19), "helppage0.bmp": (166, 166), "helppage1.bmp": (154, 200)}
# Screenshots taken by scripts/help-pictures.sh (the end-to-end tests compare them with the program).
HELP_SCREENSHOTS = {"helppage%d.bmp" % page: (166, 200) for page in range(2, 9)}
GENERATED = ["background.bmp", "tintmesh.ico", "icon16.bmp", "hand.cur", "artwork.md",
             "about.bmp", "emblem.bmp"] + sorted(HELP_DRAWN)

passed = 0
failed = 0


def check(name, condition, detail=""):
    global passed, failed
    if condition:
        passed += 1
    else:
        failed += 1
        print(f"FAIL {name}" + (f": {detail}" if detail else ""))


# ---------------------------------------------------------------------------
# Readers
# ---------------------------------------------------------------------------


def expand_rle8(data, width, height):
    """BI_RLE8 pixels as rows of indices, bottom row first. Every pixel must be written
    (no deltas, no early ends of line) and the data must end with the end-of-bitmap mark."""
    rows, row, at = [], [], 0
    while True:
        if at + 2 > len(data):
            raise ValueError("RLE8 data ends without an end-of-bitmap mark")
        count, value = data[at], data[at + 1]
        at += 2
        if count:
            row += [value] * count
        elif value in (0, 1):
            if len(row) != width:
                raise ValueError(f"RLE8 row {len(rows)} holds {len(row)} pixels, expected {width}")
            rows.append(row)
            row = []
            if value == 1:
                break
        elif value == 2:
            raise ValueError("RLE8 delta: pixels left unwritten")
        else:
            row += list(data[at:at + value])
            at += value + (value & 1)
        if len(row) > width:
            raise ValueError(f"RLE8 row {len(rows)} runs past the width {width}")
    if len(rows) != height or at != len(data):
        raise ValueError(f"RLE8 data gives {len(rows)} rows, expected {height}, and ends at "
                         f"{at} of {len(data)} bytes")
    return rows


class Dib:
    """A BITMAPINFOHEADER DIB: header fields, colour table and pixel rows
    (top to bottom, as palette indices), plus an AND mask when present."""

    def __init__(self, data, offset, in_icon, pixel_offset=None):
        (self.header_size, self.width, self.height, self.planes, self.bit_count,
         self.compression, self.size_image, _, _, self.clr_used, _) = \
            struct.unpack_from("<IiiHHIIiiII", data, offset)
        if self.header_size != 40:
            raise ValueError(f"header size {self.header_size}, expected 40")
        # Plain pixels, or in a bitmap file 8-bit run-length encoded ones (BI_RLE8).
        if self.compression != 0 and not (self.compression == 1 and self.bit_count == 8
                                          and self.height > 0 and not in_icon):
            raise ValueError(f"compression {self.compression}, expected none or RLE8 at 8 bpp")
        colours = self.clr_used or (1 << self.bit_count if self.bit_count <= 8 else 0)
        table_at = offset + 40
        self.palette = []
        for i in range(colours):
            b, g, r, _ = struct.unpack_from("<BBBB", data, table_at + 4 * i)
            self.palette.append((r, g, b))
        rows_total = self.height // 2 if in_icon else abs(self.height)
        self.rows_total = rows_total
        stride = ((self.width * self.bit_count + 31) // 32) * 4
        at = pixel_offset if pixel_offset is not None else table_at + 4 * colours
        if self.compression == 1:
            self.end = at + self.size_image
            if self.end > len(data):
                raise ValueError("pixel data runs past the end of the file")
            self.rows = expand_rle8(data[at:self.end], self.width, rows_total)
        else:
            self.end = at + stride * rows_total
            if self.end > len(data):
                raise ValueError("pixel data runs past the end of the file")
            self.rows = self._read_rows(data, at, stride, self.bit_count, rows_total)
        self.mask = None
        if in_icon:
            mask_stride = ((self.width + 31) // 32) * 4
            mask_end = self.end + mask_stride * rows_total
            if mask_end > len(data):
                raise ValueError("AND mask runs past the end of the file")
            self.mask = self._read_rows(data, self.end, mask_stride, 1, rows_total)
            self.end = mask_end
        if self.height > 0:  # bottom-up
            self.rows.reverse()
            if self.mask is not None:
                self.mask.reverse()

    def _read_rows(self, data, at, stride, bits, count):
        rows = []
        for y in range(count):
            line = data[at + y * stride: at + (y + 1) * stride]
            if bits == 8:
                rows.append(list(line[: self.width]))
            elif bits == 1:
                rows.append([(line[x // 8] >> (7 - x % 8)) & 1 for x in range(self.width)])
            else:
                raise ValueError(f"unexpected bit count {bits}")
        return rows

    def rgb(self, x, y):
        return self.palette[self.rows[y][x]]


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    if magic != b"BM":
        raise ValueError("no BM signature")
    if size != len(data):
        raise ValueError(f"file size field {size}, file has {len(data)} bytes")
    dib = Dib(data, 14, in_icon=False, pixel_offset=offset)
    if dib.end != len(data):
        raise ValueError("trailing bytes after the pixel data")
    return dib


def read_icon_dir(path, expected_type):
    """Returns [(entry fields..., Dib)] for an ICO (type 1) or CUR (type 2)."""
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != expected_type or count < 1:
        raise ValueError(f"directory header {reserved}, {kind}, {count}")
    entries = []
    for i in range(count):
        w, h, colours, res, a, b, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        dib = Dib(data, offset, in_icon=True)
        if dib.end - offset != size:
            raise ValueError(f"entry {i}: size field {size}, image has {dib.end - offset} bytes")
        entries.append({"width": w or 256, "height": h or 256, "colours": colours,
                        "a": a, "b": b, "dib": dib})
    return entries


# ---------------------------------------------------------------------------
# Checks
# ---------------------------------------------------------------------------


def luminance(rgb):
    def lin(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def check_background(res):
    try:
        bg = read_bmp(os.path.join(res, "background.bmp"))
    except (OSError, ValueError, struct.error) as e:
        check("background.bmp readable", False, str(e))
        return None
    check("background.bmp is 340 x 409, bottom-up",
          (bg.width, bg.height) == (340, 409), f"{bg.width} x {bg.height}")
    check("background.bmp is 8 bpp with 256 colours",
          bg.bit_count == 8 and len(bg.palette) == 256,
          f"{bg.bit_count} bpp, {len(bg.palette)} colours")
    # White labels sit below the title band, the orange title inside it.
    orange, white = (255, 128, 0), (255, 255, 255)
    worst_title = min(contrast(orange, bg.rgb(x, y)) for y in range(14, 40) for x in range(36, 300))
    worst_body = min(contrast(white, bg.rgb(x, y)) for y in range(48, 400) for x in range(10, 330))
    check("orange title reads on the title band", worst_title >= 3.0, f"contrast {worst_title:.2f}")
    check("white labels read on the panel", worst_body >= 7.0, f"contrast {worst_body:.2f}")
    # A raised edge: the top and left outer rows are lighter than the panel.
    inner = luminance(bg.rgb(170, 200))
    edge_ok = all(luminance(bg.rgb(x, 1)) > inner for x in range(3, 337)) and \
        all(luminance(bg.rgb(1, y)) > inner for y in range(3, 406))
    check("background has a light top and left edge", edge_ok)
    return bg


def check_icon(res, bg):
    try:
        entries = read_icon_dir(os.path.join(res, "tintmesh.ico"), 1)
    except (OSError, ValueError, struct.error) as e:
        check("tintmesh.ico readable", False, str(e))
        return
    by_size = {(e["width"], e["height"]): e for e in entries}
    check("tintmesh.ico has a 16 x 16 and a 32 x 32 image",
          (16, 16) in by_size and (32, 32) in by_size, str(sorted(by_size)))
    for e in entries:
        d = e["dib"]
        label = f"tintmesh.ico {e['width']} x {e['height']}"
        check(f"{label}: header matches the directory",
              (d.width, d.height, d.planes) == (e["width"], 2 * e["height"], 1)
              and d.bit_count in (8, 32) and e["b"] == d.bit_count,
              f"{d.width} x {d.height}, {d.bit_count} bpp, entry says {e['b']} bpp")
        opaque = sum(row.count(0) for row in d.mask)
        check(f"{label}: AND mask is mostly opaque, not empty",
              opaque >= d.width * d.width * 3 // 4, f"{opaque} opaque pixels")
    if (16, 16) not in by_size:
        return
    icon = by_size[(16, 16)]["dib"]
    try:
        small = read_bmp(os.path.join(res, "icon16.bmp"))
    except (OSError, ValueError, struct.error) as e:
        check("icon16.bmp readable", False, str(e))
        return
    check("icon16.bmp is 16 x 16, 8 bpp",
          (small.width, abs(small.height), small.bit_count) == (16, 16, 8),
          f"{small.width} x {small.height}, {small.bit_count} bpp")
    if (small.width, abs(small.height)) != (16, 16):
        return
    same = all(small.rgb(x, y) == icon.rgb(x, y)
               for y in range(16) for x in range(16) if icon.mask[y][x] == 0)
    check("icon16.bmp shows the icon's 16 x 16 picture", same)
    if bg is not None:
        edges = all(small.rgb(x, y) == bg.rgb(16 + x, 20 + y)
                    for y in range(16) for x in range(16) if icon.mask[y][x] == 1)
        check("icon16.bmp is filled with the background where the icon is clear", edges)


def check_cursor(res):
    try:
        entries = read_icon_dir(os.path.join(res, "hand.cur"), 2)
    except (OSError, ValueError, struct.error) as e:
        check("hand.cur readable", False, str(e))
        return
    check("hand.cur holds one image", len(entries) == 1, f"{len(entries)} images")
    e = entries[0]
    d = e["dib"]
    check("hand.cur is 32 x 32, 1 bpp with a black/white table",
          (e["width"], e["height"], d.width, d.height, d.bit_count) == (32, 32, 32, 64, 1)
          and d.palette[:2] == [(0, 0, 0), (255, 255, 255)],
          f"{d.width} x {d.height}, {d.bit_count} bpp, table {d.palette[:2]}")
    check("hand.cur hot spot is (10, 5)", (e["a"], e["b"]) == (10, 5), f"({e['a']}, {e['b']})")
    # Fingertip at the hot spot: (10, 5) is the outline at the top of the
    # finger, nothing is drawn above row 5, and the finger is white below it.
    top = min(y for y in range(32) if 0 in d.mask[y])
    tip_ok = (top == 5 and d.mask[5][10] == 0 and d.rows[5][10] == 0
              and d.mask[6][10] == 0 and d.rows[6][10] == 1)
    check("hand.cur fingertip is at the hot spot", tip_ok, f"topmost drawn row {top}")
    inverted = sum(1 for y in range(32) for x in range(32) if d.mask[y][x] == 1 and d.rows[y][x] == 1)
    check("hand.cur has no screen-inverting pixels", inverted == 0, f"{inverted} pixels")


# Where the About box's texts sit on its background, in both layouts:
# (left, top, width, height) of the white labels and of the orange link.
ABOUT_WHITE_LABELS = [(73, 57, 200, 18), (103, 81, 78, 18), (82, 122, 119, 13),
                      (60, 54, 245, 21), (93, 84, 98, 21), (67, 110, 151, 16)]
ABOUT_LINKS = [(32, 150, 225, 15), (25, 137, 235, 17)]
ABOUT_BANNER_ROWS = 42


def check_about(res):
    try:
        about = read_bmp(os.path.join(res, "about.bmp"))
    except (OSError, ValueError, struct.error) as e:
        check("about.bmp readable", False, str(e))
        return
    check("about.bmp is 284 x 224", (about.width, about.height) == (284, 224),
          f"{about.width} x {about.height}")
    check("about.bmp is 8 bpp with 256 colours",
          about.bit_count == 8 and len(about.palette) == 256,
          f"{about.bit_count} bpp, {len(about.palette)} colours")
    if (about.width, about.height) != (284, 224):
        return

    def worst(colour, rects):
        # A label may reach past the picture's right edge; only the picture's part counts.
        return min(contrast(colour, about.rgb(x, y))
                   for (l, t, w, h) in rects for y in range(t, t + h) for x in range(l, min(l + w, 284)))

    white, orange = (255, 255, 255), (255, 128, 0)
    check("white About texts read on the picture", worst(white, ABOUT_WHITE_LABELS) >= 7.0,
          f"contrast {worst(white, ABOUT_WHITE_LABELS):.2f}")
    check("the orange link reads on the picture", worst(orange, ABOUT_LINKS) >= 3.0,
          f"contrast {worst(orange, ABOUT_LINKS):.2f}")
    # The banner across the top: warm, lighter than the body, and lettered.
    banner = [about.rgb(x, y) for y in range(ABOUT_BANNER_ROWS) for x in range(284)]
    body = [about.rgb(x, y) for y in range(ABOUT_BANNER_ROWS, 224) for x in range(284)]
    mean = lambda pixels: sum(luminance(p) for p in pixels) / len(pixels)
    check("about.bmp has a warm banner across its top",
          all(r > b for (r, g, b) in banner) and mean(banner) > 4 * mean(body),
          f"banner {mean(banner):.3f}, body {mean(body):.3f}")
    letters = sum(1 for p in banner if luminance(p) > 0.6)
    check("the banner carries lettering", letters >= 200, f"{letters} light pixels")
    # Dark and textured: no flat areas, every 8 x 8 block of the body holds several colours.
    flat = [(x, y) for y in range(ABOUT_BANNER_ROWS + 1, 216, 8) for x in range(0, 280, 8)
            if len({about.rows[y + j][x + i] for j in range(8) for i in range(8)}) < 3]
    check("about.bmp's body is dark and textured",
          max(luminance(p) for p in body) < 0.06 and not flat, f"{len(flat)} flat blocks")

    try:
        emblem = read_bmp(os.path.join(res, "emblem.bmp"))
    except (OSError, ValueError, struct.error) as e:
        check("emblem.bmp readable", False, str(e))
        return
    check("emblem.bmp is 32 x 32, 8 bpp",
          (emblem.width, emblem.height, emblem.bit_count) == (32, 32, 8),
          f"{emblem.width} x {emblem.height}, {emblem.bit_count} bpp")
    if (emblem.width, emblem.height) == (32, 32):
        colours = {emblem.rgb(x, y) for y in range(32) for x in range(32)}
        check("emblem.bmp is a picture, not a flat tile", len(colours) >= 4, f"{len(colours)} colours")


def check_help_pictures(res):
    pictures = {}
    for name, size in {**HELP_DRAWN, **HELP_SCREENSHOTS}.items():
        try:
            d = read_bmp(os.path.join(res, name))
        except (OSError, ValueError, struct.error) as e:
            check(f"{name} readable", False, str(e))
            continue
        pictures[name] = d
        check(f"{name} is {size[0]} x {size[1]}, 8 bpp", (d.width, d.height, d.bit_count) == (*size, 8),
              f"{d.width} x {d.height}, {d.bit_count} bpp")
    if len(pictures) != len(HELP_DRAWN) + len(HELP_SCREENSHOTS):
        return
    orange, cyan = (255, 128, 0), (0, 255, 255)

    def colours(d):
        return {d.rgb(x, y) for y in range(d.height) for x in range(d.width)}

    for direction in ("next", "back"):
        up, down = pictures[f"arrow{direction}.bmp"], pictures[f"arrow{direction}down.bmp"]
        check(f"arrow{direction}.bmp has an orange arrow", orange in colours(up))
        check(f"arrow{direction}down.bmp has a grey arrow, no orange",
              orange not in colours(down) and (128, 128, 128) in colours(down))
        # Raised: lit top-left rim; sunken: the other way round.
        check(f"arrow{direction}.bmp is raised and its pressed picture sunken",
              luminance(up.rgb(0, 9)) > luminance(up.rgb(18, 9)) and
              luminance(down.rgb(0, 9)) < luminance(down.rgb(18, 9)))
    # The arrows point the right way: a chevron's middle row reaches further toward its tip
    # than its upper rows.
    def reach(d, y, colour):
        xs = [x for x in range(19) if d.rgb(x, y) == colour]
        return max(xs) if xs else -1

    for name, colour, sign in (("arrownext.bmp", orange, 1), ("arrownextdown.bmp", (128, 128, 128), 1),
                               ("arrowback.bmp", orange, -1), ("arrowbackdown.bmp", (128, 128, 128), -1)):
        d = pictures[name]
        mid = max(range(19), key=lambda y: sum(d.rgb(x, y) == colour for x in range(19)))
        top = min(y for y in range(19) if any(d.rgb(x, y) == colour for x in range(19)))
        if sign > 0:
            points = reach(d, mid, colour) > reach(d, top, colour)
        else:
            flipped = lambda y: min(x for x in range(19) if d.rgb(x, y) == colour)
            points = flipped(mid) < flipped(top)
        check(f"{name} points {'forward' if sign > 0 else 'back'}", points)
    grid = pictures["helppage0.bmp"]
    cyan_rows = [y for y in range(grid.height) if sum(grid.rgb(x, y) == cyan for x in range(grid.width)) > 100]
    check("helppage0.bmp frames the team rows with three cyan lines", len(cyan_rows) == 6, f"rows {cyan_rows}")


def check_reproducible(res):
    script = os.path.join(res, "make_artwork.py")
    with tempfile.TemporaryDirectory() as out:
        run = subprocess.run([sys.executable, script, "--out", out],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        check("make_artwork.py runs", run.returncode == 0, run.stderr.decode(errors="replace"))
        if run.returncode != 0:
            return
        for name in GENERATED:
            try:
                with open(os.path.join(res, name), "rb") as f:
                    committed = f.read()
                with open(os.path.join(out, name), "rb") as f:
                    fresh = f.read()
            except OSError as e:
                check(f"{name} regenerates", False, str(e))
                continue
            check(f"{name} is what make_artwork.py writes", committed == fresh,
                  "run python3 resources/make_artwork.py")


def main():
    parser = argparse.ArgumentParser(description="Checks the committed artwork.")
    parser.add_argument("--resources", default=DEFAULT_RESOURCES)
    args = parser.parse_args()
    bg = check_background(args.resources)
    check_icon(args.resources, bg)
    check_cursor(args.resources)
    check_about(args.resources)
    check_help_pictures(args.resources)
    check_reproducible(args.resources)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
