#!/usr/bin/env python3
"""Draws Tintmesh's artwork and writes it as Windows resource files.

Writes, next to this script (or into --out DIR):
  background.bmp  340 x 409, 8 bpp: the background of the borderless windows
  tintmesh.ico    the program icon, 16 x 16 and 32 x 32, 8 bpp with AND masks
  icon16.bmp      the 16 x 16 icon picture, opaque, 8 bpp, for the title row
  hand.cur        the 32 x 32 monochrome pointing hand, hot spot (10, 5)
  artwork.md      a short note on the files above

Only the standard library is used and nothing depends on the time or on
random state, so two runs give byte-identical files.
"""

import argparse
import os
import struct

# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------


def _row_bytes_8(row):
    data = bytes(row)
    return data + b"\0" * ((-len(data)) % 4)


def _row_bytes_1(bits):
    """Packs a row of 0/1 values, most significant bit first, padded to 4 bytes."""
    out = bytearray((len(bits) + 7) // 8)
    for x, bit in enumerate(bits):
        if bit:
            out[x // 8] |= 0x80 >> (x % 8)
    return bytes(out) + b"\0" * ((-len(out)) % 4)


def _colour_table(palette):
    """256 RGBQUAD entries (blue, green, red, 0); unused entries are black."""
    entries = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in entries)


BI_RGB, BI_RLE8 = 0, 1


def _rle8_row(row):
    """One row in the BI_RLE8 encoding, without its end-of-line mark.

    Repeats of two or more pixels are written as (count, index) pairs; stretches
    without such repeats as absolute runs (0, count, indices, padded to an even
    length), or as pairs of count 1 when they are too short for an absolute run.
    """
    out = bytearray()
    x, n = 0, len(row)
    while x < n:
        run = 1
        while x + run < n and run < 255 and row[x + run] == row[x]:
            run += 1
        if run >= 2:
            out += bytes((run, row[x]))
            x += run
            continue
        start = x
        while x < n and x - start < 255 and not (x + 1 < n and row[x] == row[x + 1]):
            x += 1
        count = x - start
        if count < 3:
            for i in range(start, x):
                out += bytes((1, row[i]))
        else:
            out += bytes((0, count)) + bytes(row[start:x]) + b"\0" * (count % 2)
    return bytes(out)


def rle8(rows):
    """The pixels of a bottom-up BI_RLE8 bitmap; rows are given top to bottom."""
    encoded = [_rle8_row(row) + b"\0\0" for row in reversed(rows)]
    data = b"".join(encoded)
    return data[:-2] + b"\0\1"  # the last row ends the bitmap instead


def bmp8(width, height, palette, rows):
    """An 8-bit bottom-up BMP; rows are given top to bottom as palette indices.

    The pixels are run-length encoded (BI_RLE8, which Windows loads and draws
    itself) whenever that makes them smaller, and stored plain otherwise.
    """
    table = _colour_table(palette)
    pixels = b"".join(_row_bytes_8(row) for row in reversed(rows))
    compression = BI_RGB
    packed = rle8(rows)
    if len(packed) < len(pixels):
        pixels, compression = packed, BI_RLE8
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, compression, len(pixels),
                       2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + table + pixels


def icon_image_8(size, palette, rows, mask):
    """The DIB of one 8-bit icon image: XOR pixels then the 1-bit AND mask."""
    table = _colour_table(palette)
    xor = b"".join(_row_bytes_8(row) for row in reversed(rows))
    andm = b"".join(_row_bytes_1(row) for row in reversed(mask))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    return info + table + xor + andm


def cursor_image_1(size, xor_bits, and_bits):
    """The DIB of one monochrome cursor image with its black/white table."""
    table = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    xor = b"".join(_row_bytes_1(row) for row in reversed(xor_bits))
    andm = b"".join(_row_bytes_1(row) for row in reversed(and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0,
                       len(xor) + len(andm), 0, 0, 2, 0)
    return info + table + xor + andm


def ico_file(images):
    """images: list of (size, bit_count, dib_bytes)."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, bits, dib in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits,
                               len(dib), offset)
        offset += len(dib)
    return head + entries + b"".join(dib for _, _, dib in images)


def cur_file(size, hot_x, hot_y, dib):
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot_x, hot_y, len(dib), 6 + 16)
    return head + entry + dib


# ---------------------------------------------------------------------------
# Background
# ---------------------------------------------------------------------------

BG_WIDTH, BG_HEIGHT = 340, 409

# The background's colour table is a ramp of 256 slightly cool greys, so a
# pixel's index is simply its brightness.
def grey(level):
    return (level, level, min(255, level + 4 + level // 32))


BG_PALETTE = [grey(i) for i in range(256)]

# 4 x 4 ordered dither, used to spread the fractional part of the gradient.
_BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def _grain(x, y):
    """A fixed pseudo-random value in 0..1 per pixel (integer hash, no state)."""
    h = (x * 374761393 + y * 668265263) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFF) / 65536.0


def _panel_level(x, y):
    """Brightness of the panel inside the bevel, as a real number."""
    if y < 42:
        # The title band: a touch lighter, fading down to the separator.
        level = 58.0 - 8.0 * (y / 41.0)
    else:
        t = (y - 42) / (BG_HEIGHT - 42.0)
        level = 47.0 - 12.0 * t
    # A soft falloff toward the left and right edges.
    dx = (x - (BG_WIDTH - 1) / 2.0) / (BG_WIDTH / 2.0)
    level -= 4.0 * dx * dx
    # A faint grain so large areas do not look flat.
    level += 3.0 * (_grain(x, y) - 0.5)
    return level


# Bevel rings from the outside in: (top/left colour, bottom/right colour).
_BEVEL = [(168, 84), (226, 18), (104, 28)]

# Under the separator line that the window draws at (16, 41), 286 x 1, a dark
# line makes it look cut into the panel.
_SEPARATOR = (16, 41, 286)


def background():
    rows = []
    for y in range(BG_HEIGHT):
        row = []
        for x in range(BG_WIDTH):
            ring = min(x, y, BG_WIDTH - 1 - x, BG_HEIGHT - 1 - y)
            if ring < len(_BEVEL):
                light, dark = _BEVEL[ring]
                # Top and left edges are lit; on the two corners where the
                # lit and shaded edges meet, the diagonal splits them.
                lit = (y == ring and x < BG_WIDTH - 1 - ring) or \
                      (x == ring and y < BG_HEIGHT - 1 - ring)
                row.append(light if lit else dark)
                continue
            level = _panel_level(x, y)
            sx, sy, sw = _SEPARATOR
            if y == sy + 1 and sx <= x < sx + sw:
                level -= 14.0
            elif y == sy + 2 and sx <= x < sx + sw:
                level -= 5.0
            threshold = (_BAYER4[y % 4][x % 4] + 0.5) / 16.0
            base = int(level)
            if level - base > threshold:
                base += 1
            row.append(max(0, min(255, base)))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# Program icon: a small palette grid with a cyan frame around its two middle
# rows, the team-colour rows of a skin palette.
# ---------------------------------------------------------------------------

ICON_BOX = (16, 20)  # where the icon sits on the background

# Cell colours, row by row: a row of assorted colours, the two team-colour
# rows as ramps, and another assorted row.
ICON_CELLS = [
    [(232, 64, 56), (248, 200, 48), (72, 184, 72), (56, 128, 232)],
    [(176, 208, 255), (104, 152, 248), (48, 92, 216), (24, 48, 160)],
    [(255, 176, 120), (248, 120, 48), (208, 72, 24), (144, 40, 16)],
    [(152, 80, 208), (232, 232, 232), (168, 120, 72), (48, 184, 176)],
]
CYAN = (0, 255, 255)
TILE = (40, 40, 44)
TILE_EDGE = (12, 12, 14)


def _shade(rgb, amount):
    return tuple(max(0, min(255, int(round(c + amount * (255 - c if amount > 0 else c)))))
                 for c in rgb)


def icon_pixels(size):
    """The icon as rows of RGB tuples, None where it is transparent."""
    s = size // 16  # 1 for 16 x 16, 2 for 32 x 32
    px = [[TILE for _ in range(size)] for _ in range(size)]

    # Dark rim around the tile.
    for i in range(size):
        for j in range(s):
            px[j][i] = px[size - 1 - j][i] = TILE_EDGE
            px[i][j] = px[i][size - 1 - j] = TILE_EDGE

    # Cells: 3 x 3 pixels at 16, 6 x 6 at 32; rows at 1, 5, 8, 12 (x s).
    cell = 3 * s
    tops = [1 * s, 5 * s, 8 * s, 12 * s]
    left = 2 * s
    for r, top in enumerate(tops):
        for c in range(4):
            rgb = ICON_CELLS[r][c]
            for y in range(top, top + cell):
                for x in range(left + c * cell, left + (c + 1) * cell):
                    colour = rgb
                    if s > 1:
                        # At 32 x 32 each cell gets a lit top-left and a
                        # shaded bottom-right edge.
                        cx, cy = x - (left + c * cell), y - top
                        if cx == 0 or cy == 0:
                            colour = _shade(rgb, 0.35)
                        elif cx == cell - 1 or cy == cell - 1:
                            colour = _shade(rgb, -0.3)
                    px[y][x] = colour

    # Cyan frame around the two middle rows.
    for x in range(1 * s, 15 * s):
        for k in range(s):
            px[4 * s + k][x] = CYAN
            px[11 * s + k][x] = CYAN
    for y in range(4 * s, 12 * s):
        for k in range(s):
            px[y][1 * s + k] = CYAN
            px[y][14 * s + k] = CYAN

    # Rounded corners.
    corner = [(0, 0)] if s == 1 else [(0, 0), (1, 0), (0, 1)]
    for (cx, cy) in corner:
        for (x, y) in [(cx, cy), (size - 1 - cx, cy), (cx, size - 1 - cy),
                       (size - 1 - cx, size - 1 - cy)]:
            px[y][x] = None
    if s > 1:
        for (x, y) in [(1, 1), (size - 2, 1), (1, size - 2), (size - 2, size - 2)]:
            px[y][x] = TILE_EDGE
    return px


def icon_palette(background_rows):
    """Every colour of both icon images, then the background colours under the
    16 x 16 icon's transparent corners (used only by icon16.bmp)."""
    colours = [(0, 0, 0)]
    for size in (16, 32):
        for row in icon_pixels(size):
            for rgb in row:
                if rgb is not None and rgb not in colours:
                    colours.append(rgb)
    bx, by = ICON_BOX
    for y, row in enumerate(icon_pixels(16)):
        for x, rgb in enumerate(row):
            if rgb is None:
                under = BG_PALETTE[background_rows[by + y][bx + x]]
                if under not in colours:
                    colours.append(under)
    assert len(colours) <= 256
    return colours


def icon_indices(size, palette):
    rows, mask = [], []
    for row in icon_pixels(size):
        rows.append([0 if rgb is None else palette.index(rgb) for rgb in row])
        mask.append([1 if rgb is None else 0 for rgb in row])
    return rows, mask


def icon16_opaque(palette, background_rows):
    bx, by = ICON_BOX
    rows = []
    for y, row in enumerate(icon_pixels(16)):
        out = []
        for x, rgb in enumerate(row):
            if rgb is None:
                rgb = BG_PALETTE[background_rows[by + y][bx + x]]
            out.append(palette.index(rgb))
        rows.append(out)
    return rows


# ---------------------------------------------------------------------------
# Hand cursor: index finger up, tip at the hot spot (10, 5).
# The map gives the white inside of the hand ('o'); the black outline is every
# pixel that touches the inside along a row or a column.  '#' may add black
# detail lines; '.' is transparent.
# ---------------------------------------------------------------------------

HAND_HOT_SPOT = (10, 5)

HAND_INSIDE = [
    "................................",  # 0
    "................................",  # 1
    "................................",  # 2
    "................................",  # 3
    "................................",  # 4
    "................................",  # 5
    ".........ooo....................",  # 6
    ".........ooo....................",  # 7
    ".........ooo....................",  # 8
    ".........ooo....................",  # 9
    ".........ooo....................",  # 10
    ".........ooo....................",  # 11
    ".........ooo.ooo................",  # 12
    ".........ooo.ooo.ooo............",  # 13
    ".........ooo.ooo.ooo............",  # 14
    ".........ooo.ooo.ooo.ooo........",  # 15
    "...oo....ooo.ooo.ooo.ooo........",  # 16
    "...ooo...ooo.ooo.ooo.ooo........",  # 17
    "...oooo..ooooooooooooooo........",  # 18
    "....oooo.ooooooooooooooo........",  # 19
    "....oooooooooooooooooooo........",  # 20
    ".....ooooooooooooooooooo........",  # 21
    "......oooooooooooooooooo........",  # 22
    ".......ooooooooooooooooo........",  # 23
    "........oooooooooooooooo........",  # 24
    ".........oooooooooooooo.........",  # 25
    ".........oooooooooooooo.........",  # 26
    ".........oooooooooooooo.........",  # 27
    "................................",  # 28
    "................................",  # 29
    "................................",  # 30
    "................................",  # 31
]


def hand_map():
    """The full cursor picture: 'o' white, '#' black, '.' transparent."""
    inside = [list(line) for line in HAND_INSIDE]
    size = len(inside)
    out = [row[:] for row in inside]
    for y in range(size):
        for x in range(size):
            if inside[y][x] != ".":
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < size and 0 <= ny < size and inside[ny][nx] == "o":
                    out[y][x] = "#"
                    break
    return ["".join(row) for row in out]


def hand_masks():
    xor_bits, and_bits = [], []
    for line in hand_map():
        assert len(line) == 32, line
        xor_bits.append([1 if ch == "o" else 0 for ch in line])
        and_bits.append([1 if ch == "." else 0 for ch in line])
    return xor_bits, and_bits


# ---------------------------------------------------------------------------

NOTE = """\
# Artwork

These files are generated by `make_artwork.py` (run `python3 resources/make_artwork.py`);
do not edit them by hand, change the script and run it again. The output is deterministic.

- `background.bmp`: background picture of the borderless windows, 340 x 409, 8 bits per
  pixel (256-entry colour table): a dark grey panel with a 3-pixel light bevel, a lighter
  title band above the separator at (16, 41) and a calm gradient below.
- `tintmesh.ico`: the program icon, a palette grid with a cyan frame around its two
  team-colour rows; 16 x 16 and 32 x 32 images, 8 bits per pixel with AND masks.
- `icon16.bmp`: the icon's 16 x 16 picture as an opaque 8-bit BMP for the title row; its
  transparent corners are filled with the background under (16, 20).
- `hand.cur`: the hand pointer, one 32 x 32 monochrome (1 bit per pixel) image of a hand
  with the index finger up; hot spot (10, 5) at the tip of the finger.
"""


def build():
    """Returns {file name: bytes}."""
    bg = background()
    pal = icon_palette(bg)
    images = []
    for size in (16, 32):
        rows, mask = icon_indices(size, pal)
        images.append((size, 8, icon_image_8(size, pal, rows, mask)))
    xor_bits, and_bits = hand_masks()
    return {
        "background.bmp": bmp8(BG_WIDTH, BG_HEIGHT, BG_PALETTE, bg),
        "tintmesh.ico": ico_file(images),
        "icon16.bmp": bmp8(16, 16, pal, icon16_opaque(pal, bg)),
        "hand.cur": cur_file(32, HAND_HOT_SPOT[0], HAND_HOT_SPOT[1],
                             cursor_image_1(32, xor_bits, and_bits)),
        "artwork.md": NOTE.encode("ascii"),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)),
                        help="folder to write the files into (default: next to this script)")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, data in build().items():
        with open(os.path.join(args.out, name), "wb") as f:
            f.write(data)
        print(f"wrote {os.path.join(args.out, name)} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
