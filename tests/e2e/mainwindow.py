"""What the Tintmesh main window looks like on screen, for the end-to-end tests.

Offsets are from the window's top-left corner; the window has no frame, so
they are also client coordinates. Colours are screen RGB tuples.
"""

import struct
from pathlib import Path

from harness import REPO, rgb

TITLE = "Tintmesh"
SIZE = (340, 409)

BLACK = rgb(0x000000)
WHITE = rgb(0xFFFFFF)
MAGENTA = rgb(0xFF00FF)
CYAN = rgb(0x00FFFF)
ORANGE = rgb(0xFF8000)      # the title text and close mark at rest
GREY = rgb(0x808080)

SQUARE = 15

# The team-colour frame: (left, top, width, height).
FRAME_RECTS = [(39, 270, 2, 75), (300, 270, 2, 75), (39, 270, 262, 2),
               (39, 307, 262, 2), (39, 344, 262, 2)]

SEPARATOR_RECT = (16, 41, 286, 1)
CLOSE_MARK_RECT = (307, 12, 13, 29)
TITLE_RECT = (36, 18, 261, 19)

# Points a user aims at.
CLOSE_MARK_POINT = (313, 25)
ICON_POINT = (24, 28)
ICON_MENU_CORNER = (17, 36)
CAPTION_POINT = (150, 20)
# Plain background (no control, no hint): the pointer rests here between
# actions so that no hint window covers the grid.
PARKING_POINT = (20, 395)

# Strips of the window where nothing but the background picture shows.
BACKGROUND_STRIPS = [(0, 0, 340, 12), (0, 0, 16, 409), (0, 381, 340, 28), (322, 0, 18, 409)]

# The context menu's entries from the top, as read from the screen: "on"
# enabled, "off" disabled, "-" a separator, ">" a submenu.
CONTEXT_MENU_CAPTIONS = ["Import Palette", "Save Palette", "-", "Select All",
                         "Clear All Selections", "-", "Edit", "Sort", "Choose Color",
                         "Show Duplicates"]
MENU_NOTHING_SELECTED = ["off", "on", "-", "on", "off", "-", "off >", "off", "off", "on"]
MENU_SOMETHING_SELECTED = ["on", "on", "-", "on", "on", "-", "on >", "on", "on", "on"]
SELECT_ALL = CONTEXT_MENU_CAPTIONS.index("Select All")
CLEAR_ALL = CONTEXT_MENU_CAPTIONS.index("Clear All Selections")


def square_origin(index):
    """Top-left corner of square `index` within the window."""
    row, col = divmod(index, 16)
    top = 109 + 16 * row + (5 if row > 9 else 0) + (5 if row > 11 else 0) + (5 if row > 13 else 0)
    return 43 + 16 * col, top


def square_outline(shot, x0, y0):
    """The set of colours on the one-pixel outline of the square at screen (x0, y0)."""
    outline = set()
    for i in range(SQUARE):
        outline.update((shot.pixel(x0 + i, y0), shot.pixel(x0 + i, y0 + SQUARE - 1),
                        shot.pixel(x0, y0 + i), shot.pixel(x0 + SQUARE - 1, y0 + i)))
    return outline


def square_state(shot, left, top, index):
    """"unselected", "selected", or a description of what is there instead."""
    x0, y0 = square_origin(index)
    x0 += left
    y0 += top
    outline = square_outline(shot, x0, y0)
    fill = shot.rect_mismatch(x0 + 1, y0 + 1, SQUARE - 2, SQUARE - 2, WHITE)
    if fill is not None:
        return "fill not white at %s: %s" % (fill[:2], fill[2])
    if outline == {BLACK}:
        return "unselected"
    if outline == {MAGENTA}:
        return "selected"
    return "outline %s" % sorted(outline)


def grid_states(shot, left, top):
    return [square_state(shot, left, top, i) for i in range(256)]


def selected_squares(states):
    return [i for i, s in enumerate(states) if s == "selected"]


def describe_grid(states, expected_selected):
    """A short account of how a grid differs from the expected selection."""
    wrong = []
    for i, s in enumerate(states):
        want = "selected" if i in expected_selected else "unselected"
        if s != want:
            wrong.append("%d: %s (want %s)" % (i, s, want))
    return "; ".join(wrong[:8]) + (" ..." if len(wrong) > 8 else "")


# ---------------------------------------------------------------------------
# The background picture, read from the program's resources


BACKGROUND_BMP = REPO / "resources" / "background.bmp"


def _expand_rle8(data, width, height):
    """BI_RLE8 pixels as plain rows of `width` bytes, bottom row first."""
    out = bytearray(width * height)
    x = y = at = 0
    while at + 2 <= len(data):
        count, value = data[at], data[at + 1]
        at += 2
        if count:
            out[y * width + x:y * width + x + count] = bytes([value]) * count
            x += count
        elif value == 0:
            x, y = 0, y + 1
        elif value == 1:
            break
        elif value == 2:
            x, y = x + data[at], y + data[at + 1]
            at += 2
        else:
            out[y * width + x:y * width + x + value] = data[at:at + value]
            x += value
            at += value + (value & 1)
    return bytes(out)


def load_bmp(path):
    """An 8-bit (plain or RLE8) or 24-bit BMP as (width, height, pixel(x, y) -> rgb)."""
    data = Path(path).read_bytes()
    if data[:2] != b"BM":
        raise ValueError("%s is not a BMP file" % path)
    offset = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if not (compression == 0 and bits in (8, 24) or compression == 1 and bits == 8 and height > 0):
        raise ValueError("%s: only 8-bit (plain or RLE8) and 24-bit pictures are read here" % path)
    bottom_up = height > 0
    height = abs(height)
    stride = (width * bits // 8 + 3) & ~3
    if compression == 1:
        size_image = struct.unpack_from("<I", data, 14 + 20)[0]
        data = data[:offset] + _expand_rle8(data[offset:offset + size_image], width, height)
        stride = width
    palette = []
    if bits == 8:
        colours = struct.unpack_from("<I", data, 14 + 32)[0] or 256
        base = 14 + header_size
        palette = [(data[base + 4 * i + 2], data[base + 4 * i + 1], data[base + 4 * i])
                   for i in range(colours)]

    def pixel(x, y):
        row = (height - 1 - y) if bottom_up else y
        at = offset + row * stride
        if bits == 8:
            return palette[data[at + x]]
        at += 3 * x
        return (data[at + 2], data[at + 1], data[at])

    return width, height, pixel
