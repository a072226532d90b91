#!/usr/bin/env python3
"""Draws Tintmesh's artwork and writes it as Windows resource files.

Writes, next to this script (or into --out DIR):
  background.bmp  340 x 409, 8 bpp: the background of the borderless windows
  tintmesh.ico    the program icon, 16 x 16 and 32 x 32, 8 bpp with AND masks
  icon16.bmp      the 16 x 16 icon picture, opaque, 8 bpp, for the title row
  hand.cur        the 32 x 32 monochrome pointing hand, hot spot (10, 5)
  about.bmp       284 x 224, 8 bpp: the About box's background
  emblem.bmp      32 x 32, 8 bpp: the maker's emblem in the About box
  arrow*.bmp      the help window's four 19 x 19 page arrows, 8 bpp
  helppage0.bmp, helppage1.bmp
                  the pictures of the help window's first two pages, 8 bpp
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
            # Rounded, not dithered: the panel's long runs of one grey keep the picture
            # small once run-length encoded, and the screenshots of it too.
            row.append(max(0, min(255, int(level + 0.5))))
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
# Help pictures: the page arrows, and the pictures of the tutorial's first two
# pages, drawn from the same three source palettes that the screenshots of the
# later pages import (scripts/help-pictures.sh).
# ---------------------------------------------------------------------------

ORANGE = (255, 128, 0)
ARROW_SIZE = 19


def _ramp(start, end, steps):
    return [tuple(int(round(a + (b - a) * i / (steps - 1))) for a, b in zip(start, end))
            for i in range(steps)]


def skin_palette():
    """The 192 colours of a skin without its team colours: twelve rows of
    sixteen, ramps of skin, hair, leather, cloth and metal from dark to light."""
    rows = [
        ((60, 30, 18), (250, 210, 180)),   # skin
        ((50, 26, 16), (232, 180, 140)),   # darker skin
        ((20, 14, 10), (150, 100, 54)),    # hair
        ((34, 22, 12), (196, 150, 96)),    # leather
        ((18, 24, 14), (132, 156, 96)),    # olive cloth
        ((16, 20, 28), (120, 140, 172)),   # denim
        ((10, 10, 12), (112, 112, 120)),   # dark gear
        ((40, 40, 44), (220, 220, 226)),   # metal
        ((30, 30, 22), (200, 196, 150)),   # khaki
        ((0, 0, 0), (150, 130, 170)),      # shadows
        ((70, 40, 10), (255, 230, 150)),   # brass
        ((0, 0, 0), (255, 255, 255)),      # greys
    ]
    colours = []
    for dark, light in rows:
        colours += _ramp(dark, light, 16)
    return colours


def red_team_palette():
    """Two rows of a red team colour, dark to light."""
    return _ramp((40, 0, 0), (255, 40, 24), 16) + _ramp((255, 56, 40), (255, 200, 190), 16)


def magenta_team_palette():
    """Two rows of a magenta team colour, dark to light."""
    return _ramp((36, 0, 40), (232, 24, 232), 16) + _ramp((240, 48, 240), (255, 200, 255), 16)


def finished_palette():
    """The 256 colours of the tutorial's finished palette: the skin colours in the
    main area (0-159, then 224-255), red in 160-191, magenta in 192-223."""
    skin = skin_palette()
    return skin[:160] + red_team_palette() + magenta_team_palette() + skin[160:]


def _indexed(pixels):
    """Rows of RGB tuples as (palette, rows of indices), colours in first-seen order."""
    palette, index, rows = [], {}, []
    for row in pixels:
        out = []
        for rgb in row:
            if rgb not in index:
                index[rgb] = len(palette)
                palette.append(rgb)
            out.append(index[rgb])
        rows.append(out)
    assert len(palette) <= 256, len(palette)
    return palette, rows


def _fill(px, left, top, width, height, rgb):
    for y in range(max(0, top), min(len(px), top + height)):
        for x in range(max(0, left), min(len(px[0]), left + width)):
            px[y][x] = rgb


ARROW_FACE = (58, 58, 64)
ARROW_LIGHT = (132, 132, 140)
ARROW_DARK = (14, 14, 16)
ARROW_PRESSED = (128, 128, 128)


def arrow(forward, pressed):
    """A 19 x 19 button with a double arrow: orange on a raised button, or grey
    on a sunken one, the arrow moved one pixel down and right as it sinks."""
    n = ARROW_SIZE
    px = [[ARROW_FACE] * n for _ in range(n)]
    top_left, bottom_right = (ARROW_DARK, ARROW_LIGHT) if pressed else (ARROW_LIGHT, ARROW_DARK)
    for i in range(n):
        px[0][i] = px[i][0] = top_left
        px[n - 1][i] = px[i][n - 1] = bottom_right
    colour = ARROW_PRESSED if pressed else ORANGE
    shift = 1 if pressed else 0
    for y in range(5, 14):
        half = 4 - abs(y - 9)
        for base in (4, 9):
            for x in range(base, base + half + 1):
                ax = x if forward else n - 1 - x
                px[y + shift][ax + shift] = colour
    return px


# The pictures' own colours are taken from the greys row of the skin palette, so
# a picture needs no colours beyond the palette's and its cyan frame.
GRID_BACK = (34, 34, 34)
CARD_RIM = (204, 204, 204)
CELL_EDGE = (0, 0, 0)


def page0_picture():
    """166 x 166: the finished palette as the main window shows it, each square
    outlined in black, the team-colour rows framed in cyan, gaps as the window's."""
    size = 166
    px = [[GRID_BACK] * size for _ in range(size)]
    colours = finished_palette()
    pitch, left, top = 9, 11, 5
    row_tops = []
    for r in range(16):
        y = top + pitch * r
        y += 4 * sum(1 for gap_after in (9, 11, 13) if r > gap_after)
        row_tops.append(y)
    for r in range(16):
        for c in range(16):
            x, y = left + pitch * c, row_tops[r]
            _fill(px, x, y, pitch, pitch, CELL_EDGE)
            _fill(px, x + 1, y + 1, pitch - 2, pitch - 2, colours[16 * r + c])
    # The frame: lines in the gaps above rows 10, 12 and 14, and down both sides.
    frame_left, frame_right = left - 4, left + 16 * pitch + 2
    lines = [row_tops[r] - 3 for r in (10, 12, 14)]
    for y in lines:
        _fill(px, frame_left, y, frame_right - frame_left + 2, 2, CYAN)
    for x in (frame_left, frame_right):
        _fill(px, x, lines[0], 2, lines[-1] - lines[0] + 2, CYAN)
    return px


def _grid_card(px, left, top, colours, rows, pitch):
    """A small grid of `rows` rows of sixteen colours on a card with a light rim
    and a shadow, as a palette seen in a paint program."""
    width, height = 16 * pitch + 3, rows * pitch + 3
    _fill(px, left + 2, top + 2, width, height, CELL_EDGE)           # shadow
    _fill(px, left, top, width, height, CARD_RIM)                    # rim
    _fill(px, left + 1, top + 1, width - 2, height - 2, GRID_BACK)
    for r in range(rows):
        for c in range(16):
            _fill(px, left + 2 + pitch * c, top + 2 + pitch * r, pitch - 1, pitch - 1,
                  colours[16 * r + c])


def page1_picture():
    """154 x 200: the three source palettes as overlapping grids (the skin
    palette at the back, then the red and the magenta team palettes), beside a
    simple player model wearing the skin, its team colour on the chest and legs."""
    width, height = 154, 200
    px = [[GRID_BACK] * width for _ in range(height)]
    skin, red, magenta = skin_palette(), red_team_palette(), magenta_team_palette()
    _grid_card(px, 2, 104, skin, 12, 5)
    _grid_card(px, 12, 94, red, 2, 5)
    _grid_card(px, 22, 84, magenta, 2, 5)

    # The player model, from flat shapes: head, neck, torso, arms, belt, legs, boots.
    face, hair, shirt, trousers, boot = skin[9], skin[2 * 16 + 4], red[12], red[6], skin[6 * 16 + 3]
    cx = 128
    _fill(px, cx - 7, 18, 14, 16, face)            # head
    _fill(px, cx - 7, 16, 14, 5, hair)             # hair
    _fill(px, cx - 3, 34, 6, 4, face)              # neck
    _fill(px, cx - 14, 38, 28, 46, shirt)          # torso
    _fill(px, cx - 6, 46, 12, 14, red[24])         # chest badge
    _fill(px, cx - 22, 40, 8, 40, shirt)           # arms
    _fill(px, cx + 14, 40, 8, 40, shirt)
    _fill(px, cx - 22, 80, 8, 8, face)             # hands
    _fill(px, cx + 14, 80, 8, 8, face)
    _fill(px, cx - 14, 84, 28, 5, skin[3 * 16 + 5])  # belt
    _fill(px, cx - 13, 89, 12, 72, trousers)       # legs
    _fill(px, cx + 1, 89, 12, 72, trousers)
    _fill(px, cx - 15, 161, 14, 8, boot)           # boots
    _fill(px, cx + 1, 161, 14, 8, boot)
    _fill(px, cx - 30, 170, 60, 3, (17, 17, 17))   # floor shadow
    return px


def help_pictures():
    """{file name: BMP bytes} of the drawn help pictures."""
    files = {}
    for name, forward, pressed in (("arrownext.bmp", True, False), ("arrowback.bmp", False, False),
                                   ("arrownextdown.bmp", True, True), ("arrowbackdown.bmp", False, True)):
        pal, rows = _indexed(arrow(forward, pressed))
        files[name] = bmp8(ARROW_SIZE, ARROW_SIZE, pal, rows)
    for name, picture in (("helppage0.bmp", page0_picture()), ("helppage1.bmp", page1_picture())):
        pal, rows = _indexed(picture)
        files[name] = bmp8(len(rows[0]), len(rows), pal, rows)
    return files

# ---------------------------------------------------------------------------
# About box: a 284 x 224 background, dark and brushed, with the maker's banner
# across the top, and the maker's 32 x 32 emblem shown in a white frame on it.
# ---------------------------------------------------------------------------

ABOUT_WIDTH, ABOUT_HEIGHT = 284, 224
ABOUT_BANNER_HEIGHT = 42  # rows 0..41; the texts begin below it

# Colour table: 0..127 the dark body ramp, 128..191 the banner's copper ramp,
# 192..207 the banner lettering, the rest black.
ABOUT_BODY, ABOUT_COPPER, ABOUT_LETTER = 0, 128, 192


def _about_palette():
    colours = []
    for i in range(128):  # a cool, dark slate
        t = i / 127.0
        colours.append((int(6 + 58 * t), int(8 + 62 * t), int(12 + 74 * t)))
    for i in range(64):  # copper, dark to bright
        t = i / 63.0
        colours.append((int(70 + 180 * t), int(30 + 120 * t), int(10 + 50 * t)))
    for i in range(16):  # cream lettering with its shading
        t = i / 15.0
        colours.append((int(120 + 135 * t), int(100 + 148 * t), int(70 + 150 * t)))
    return colours


ABOUT_PALETTE = _about_palette()

# The maker's name in a 5 x 7 capital font, drawn at twice that size.
_BANNER_FONT = {
    "B": ["1111.", "1...1", "1...1", "1111.", "1...1", "1...1", "1111."],
    "R": ["1111.", "1...1", "1...1", "1111.", "1.1..", "1..1.", "1...1"],
    "I": [".111.", "..1..", "..1..", "..1..", "..1..", "..1..", ".111."],
    "N": ["1...1", "11..1", "1.1.1", "1.1.1", "1..11", "1...1", "1...1"],
    "D": ["111..", "1..1.", "1...1", "1...1", "1...1", "1..1.", "111.."],
    "L": ["1....", "1....", "1....", "1....", "1....", "1....", "11111"],
    "E": ["11111", "1....", "1....", "1111.", "1....", "1....", "11111"],
    "W": ["1...1", "1...1", "1...1", "1.1.1", "1.1.1", "1.1.1", ".1.1."],
    "C": [".111.", "1...1", "1....", "1....", "1....", "1...1", ".111."],
    "K": ["1...1", "1..1.", "1.1..", "11...", "1.1..", "1..1.", "1...1"],
}
BANNER_TEXT = "BRINDLEWICK"
_BANNER_SCALE = 2
_BANNER_TOP = 14


def _banner_ink():
    """{(x, y): True} for the lettering's pixels, centred across the box."""
    advance = 6 * _BANNER_SCALE
    width = advance * len(BANNER_TEXT) - _BANNER_SCALE
    left = (ABOUT_WIDTH - width) // 2
    ink = set()
    for n, letter in enumerate(BANNER_TEXT):
        for gy, line in enumerate(_BANNER_FONT[letter]):
            for gx, ch in enumerate(line):
                if ch != "1":
                    continue
                for dy in range(_BANNER_SCALE):
                    for dx in range(_BANNER_SCALE):
                        ink.add((left + n * advance + gx * _BANNER_SCALE + dx,
                                 _BANNER_TOP + gy * _BANNER_SCALE + dy))
    return ink


def _brushed(x, y, depth):
    """Horizontal brush strokes: each row is cut into strokes of 16 to 47 pixels, each a
    little lighter or darker, so the texture runs along the rows (and run-length encodes
    well) instead of changing at every pixel."""
    offset = int(_grain(y, 7) * 48)
    length = 16 + int(_grain(y, 11) * 32)
    stroke = (x + offset) // length
    return depth * (_grain(stroke, y) - 0.5)


def _about_body_level(x, y):
    """The body's brushed texture: a dark ramp index, darker toward the bottom."""
    t = (y - ABOUT_BANNER_HEIGHT) / float(ABOUT_HEIGHT - ABOUT_BANNER_HEIGHT)
    level = 30.0 - 14.0 * t
    level += _brushed(x, y + 1000, 7.0)
    # A soft vignette toward the corners.
    dx = (x - (ABOUT_WIDTH - 1) / 2.0) / (ABOUT_WIDTH / 2.0)
    level -= 6.0 * dx * dx
    return max(0, min(127, int(level)))


def about_background():
    """Rows of colour-table indices, top to bottom."""
    ink = _banner_ink()
    shadow = {(x + 1, y + 1) for (x, y) in ink} - ink
    rows = []
    for y in range(ABOUT_HEIGHT):
        row = []
        for x in range(ABOUT_WIDTH):
            if y < ABOUT_BANNER_HEIGHT:
                if (x, y) in ink:
                    # Lettering lit from above.
                    row.append(ABOUT_LETTER + 15 - (y - _BANNER_TOP) * 6 // (7 * _BANNER_SCALE))
                    continue
                if y == 0:
                    copper = 63
                elif y >= ABOUT_BANNER_HEIGHT - 2:
                    copper = 4  # the banner's dark lower edge
                else:
                    copper = 52 - (y * 30) // ABOUT_BANNER_HEIGHT
                    copper += int(_brushed(x, y + 500, 4.0))
                    if (x, y) in shadow:
                        copper -= 22
                row.append(ABOUT_COPPER + max(0, min(63, copper)))
            elif y == ABOUT_BANNER_HEIGHT:
                row.append(ABOUT_BODY)  # a black line under the banner
            else:
                row.append(ABOUT_BODY + _about_body_level(x, y))
        rows.append(row)
    return rows


# The emblem: a flame over a wick in a copper ring on a dark tile.
EMBLEM_SIZE = 32


def about_emblem_pixels():
    """The emblem as rows of RGB tuples."""
    size = EMBLEM_SIZE
    tile, ring, ring_dark = (20, 26, 40), (214, 128, 52), (120, 62, 22)
    flame_outer, flame_mid, flame_core = (236, 96, 20), (252, 176, 40), (255, 240, 190)
    wick = (40, 30, 24)
    cx, cy = 15.5, 15.5
    px = []
    for y in range(size):
        row = []
        for x in range(size):
            r = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            colour = tile
            if 12.5 <= r < 15.0:
                colour = ring if (x + y) < 31 else ring_dark
            # The flame: a drop pointing up, widest at row 19.
            fy = (y - 4) / 18.0  # 0 at the tip, 1 at the base
            if 0.0 <= fy <= 1.0:
                half = 6.5 * (fy ** 0.8) * (1.0 - 0.55 * max(0.0, fy - 0.72) / 0.28)
                d = abs(x - cx)
                if d <= half:
                    colour = flame_outer
                    if d <= half * 0.62 and fy > 0.25:
                        colour = flame_mid
                    if d <= half * 0.3 and fy > 0.5:
                        colour = flame_core
            if 21 <= y <= 25 and 15 <= x <= 16:
                colour = wick
            row.append(colour)
        px.append(row)
    return px


def about_emblem():
    """(palette, rows of indices) of the emblem."""
    pixels = about_emblem_pixels()
    palette = []
    for row in pixels:
        for rgb in row:
            if rgb not in palette:
                palette.append(rgb)
    return palette, [[palette.index(rgb) for rgb in row] for row in pixels]


def about_files():
    """The About box's two pictures, by file name."""
    emblem_palette, emblem_rows = about_emblem()
    return {
        "about.bmp": bmp8(ABOUT_WIDTH, ABOUT_HEIGHT, ABOUT_PALETTE, about_background()),
        "emblem.bmp": bmp8(EMBLEM_SIZE, EMBLEM_SIZE, emblem_palette, emblem_rows),
    }


ABOUT_NOTE = """\
- `about.bmp`: the About box's background, 284 x 224, 8 bits per pixel: a copper banner
  with the maker's name across the top 42 rows over a dark, brushed slate body.
- `emblem.bmp`: the maker's emblem for the About box, 32 x 32, 8 bits per pixel: a flame
  over its wick in a copper ring on a dark tile.
"""


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
- `arrownext.bmp`, `arrowback.bmp`: the help window's page arrows, 19 x 19, 8 bits per
  pixel: an orange double arrow on a dark raised button; `arrownextdown.bmp` and
  `arrowbackdown.bmp` the same arrows pressed, grey on a sunken button.
- `helppage0.bmp` (166 x 166) and `helppage1.bmp` (154 x 200), 8 bits per pixel: the help
  pictures of the first two pages, a finished palette grid with its cyan frame, and the
  three source palettes as overlapping grids beside a player model. They are drawn from
  the same palettes that `scripts/help-pictures.sh` imports for the screenshots
  `helppage2.bmp` to `helppage8.bmp` (not written by this script).
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
        "artwork.md": (NOTE + ABOUT_NOTE).encode("ascii"),
        **about_files(),
        **help_pictures(),
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
