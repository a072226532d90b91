"""Driving Tintmesh's palette work under Wine for the end-to-end tests: the
main window's squares with their colours, its context menu and Edit
submenu, the Import Palette window, and the Wine dialogs the commands open
(file dialogs, the colour dialog, the message box, the About box).

Everything is done the way a user does it: pointer and keyboard input, and
what the screen shows. Colours are screen RGB tuples.
"""

import contextlib
import re
import shutil
import struct
import tempfile
import time
from pathlib import Path, PureWindowsPath

import mainwindow as mw
from harness import read_menu, wait_until

BLACK = mw.BLACK
WHITE = mw.WHITE
MAGENTA = mw.MAGENTA
RED = (255, 0, 0)

# Separate presses must be further apart than the program's 200 ms click
# lock-out; this pause is part of how a user clicks, not a wait for a result.
# After it the helpers also wait for the program to go idle, since under load
# its lock-out timer fires late.
CLICK_GAP = 0.4
# How long at least to watch for something that must not happen; the check
# then also waits for the program to go idle, having handled what it was sent.
QUIET_PERIOD = 0.8
TIMEOUT = 20

SQUARE = 15

# The context menu's entries from the top (see mainwindow.CONTEXT_MENU_CAPTIONS).
IMPORT_PALETTE, SAVE_PALETTE, _, SELECT_ALL, CLEAR_ALL, _, EDIT, SORT, CHOOSE_COLOR, DUPLICATES = range(10)
CUT, COPY, PASTE = range(3)

# The three areas of the palette that Cut and Sort keep apart, in area order.
AREAS = [list(range(0, 160)) + list(range(224, 256)), list(range(160, 192)), list(range(192, 224))]

# ---------------------------------------------------------------------------
# Pointer
#
def move(session, x, y):
    session.move(x, y)


def click(session, x, y, button=1):
    move(session, x, y)
    session.xdotool("click", button)


def right_click(session, x, y):
    click(session, x, y, button=3)


# ---------------------------------------------------------------------------
# Palette files


def riff_palette(colours):
    """The bytes of a 256-entry RIFF palette holding `colours` (r, g, b)."""
    assert len(colours) == 256
    entries = b"".join(bytes((r, g, b, 0)) for r, g, b in colours)
    return (b"RIFF" + struct.pack("<I", 1040) + b"PAL data" + struct.pack("<IHH", 1028, 0x0300, 256)
            + entries)


def jasc_palette(colours, newline="\r\n"):
    """The bytes of a JASC text palette holding `colours` (r, g, b)."""
    lines = ["JASC-PAL", "0100", str(len(colours))] + ["%d %d %d" % c for c in colours]
    return (newline.join(lines) + newline).encode("ascii")


class PaletteFolder:
    """A temporary folder for a test's palette files, with Wine's Z: paths."""

    def __init__(self):
        self.path = Path(tempfile.mkdtemp(prefix="tintmesh-e2e-pal-"))

    def write(self, name, data):
        path = self.path / name
        path.write_bytes(data)
        return path

    def file(self, name):
        return self.path / name

    @staticmethod
    def windows_path(path):
        """The Z: drive path Wine gives a Unix path."""
        return str(PureWindowsPath("Z:\\", *Path(path).resolve().parts[1:]))

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


def distinct_colours(seed):
    """256 different colours, none of them white, black or a pen colour."""
    colours = []
    for i in range(256):
        red = 1 + (i * 37 + seed * 11) % 254
        green = (i * 7 + 3 + seed) % 256
        blue = (i * 113 + 50 + seed * 5) % 256
        colours.append((red, green, blue))
    assert len(set(colours)) == 256
    assert not {WHITE, BLACK, MAGENTA, RED} & set(colours)
    return colours


# ---------------------------------------------------------------------------
# Reading a grid of squares


def import_square_origin(index):
    """Top-left corner of square `index` of the Import Palette window, within it."""
    row, col = divmod(index, 16)
    return 43 + 16 * col, 102 + 16 * row


def square_look(shot, left, top, index, origin=mw.square_origin):
    """(outline colour, fill colour) of a square; None for a part that is not of one colour."""
    x0, y0 = origin(index)
    x0 += left
    y0 += top
    outline = mw.square_outline(shot, x0, y0)
    fill = shot.pixel(x0 + 1, y0 + 1)
    if shot.rect_mismatch(x0 + 1, y0 + 1, SQUARE - 2, SQUARE - 2, fill) is not None:
        fill = None
    return (outline.pop() if len(outline) == 1 else None), fill


def grid_looks(shot, left, top, origin=mw.square_origin):
    return [square_look(shot, left, top, i, origin) for i in range(256)]


def describe_differences(looks, expected):
    wrong = ["%d: outline %s fill %s (want %s, %s)" % (i, got[0], got[1], want[0], want[1])
             for i, (got, want) in enumerate(zip(looks, expected)) if got != want]
    return "%d squares differ: %s%s" % (len(wrong), "; ".join(wrong[:6]), " ..." if len(wrong) > 6 else "")


# ---------------------------------------------------------------------------
# Windows that have a system frame
#
# With no window manager, Wine maps only the inside of a framed window (its
# client area) as the X window and draws no frame or title bar. The outer
# rectangle is the mapped one grown by Wine's frame: the dialog frame on each
# side and the caption above.

FRAME = 3       # Wine's fixed dialog frame, each side
CAPTION = 19    # Wine's caption height (18 plus its one-pixel line)


def outer_rect(mapped):
    left, top, width, height = mapped
    return (left - FRAME, top - FRAME - CAPTION, width + 2 * FRAME, height + 2 * FRAME + CAPTION)


# ---------------------------------------------------------------------------
# The program


class Menu:
    """An open popup menu: its rect, its entries and the screenshot they were read from."""

    def __init__(self, rect, entries, shot):
        self.rect = rect
        self.entries = entries
        self.shot = shot

    def summary(self):
        return [e.summary() for e in self.entries]

    def caption_width(self, item):
        """Width of the black text of an enabled item's caption."""
        entry = self.entries[item]
        left, _, width, _ = self.rect
        xs = [x for y in range(entry.top, entry.bottom) for x in range(left + 2, left + width - 2)
              if self.shot.pixel(x, y) == BLACK]
        return max(xs) - min(xs) + 1 if xs else 0


class Grid:
    """A window with a 16 x 16 grid of squares, at a known place on the screen."""

    origin = staticmethod(mw.square_origin)
    parking_point = mw.PARKING_POINT
    square_name = "square"

    def __init__(self, session):
        self.session = session
        self.left = None
        self.top = None

    def at(self, offset):
        return self.left + offset[0], self.top + offset[1]

    def square_point(self, index):
        x, y = self.origin(index)
        return self.left + x + 7, self.top + y + 7

    def park(self):
        """Rests the pointer on plain background, where no hint shows."""
        move(self.session, *self.at(self.parking_point))

    def looks(self, shot=None):
        return grid_looks(shot or self.session.screenshot(), self.left, self.top, self.origin)

    def wait_grid(self, expected, what):
        """Waits until every square shows its (outline, fill) of `expected`."""
        expected = list(expected)
        try:
            return self.session.wait_screen(lambda shot: self.looks(shot) == expected, TIMEOUT, what)
        except AssertionError as err:
            raise AssertionError("%s; %s" % (err, describe_differences(self.looks(self.session.last_shot),
                                                                       expected))) from None

    def assert_grid_stays(self, expected, what):
        self.session.settle(QUIET_PERIOD)
        looks = self.looks()
        if looks != list(expected):
            raise AssertionError("%s: %s" % (what, describe_differences(looks, list(expected))))

    def click_square(self, index, outline, shift=False):
        """Clicks a square (with Shift held if asked) and keeps the pointer
        there until the square shows `outline`; then parks the pointer."""
        move(self.session, *self.square_point(index))
        with self.session.holding("shift") if shift else contextlib.nullcontext():
            self.session.xdotool("click", 1)
            self.session.wait_screen(
                lambda shot: square_look(shot, self.left, self.top, index, self.origin)[0] == outline,
                TIMEOUT, "%s %d to show a %s outline after a click" % (self.square_name, index, outline))
        self.park()
        self.session.settle(CLICK_GAP)

    def select(self, *ranges):
        """Selects squares on a grid where none is selected: each (first, last)
        range with a click on the first and a Shift-click on the last, a single
        number with one click."""
        for item in ranges:
            first, last = (item, item) if isinstance(item, int) else item
            self.click_square(first, MAGENTA)
            if last != first:
                self.click_square(last, MAGENTA, shift=True)


class Tintmesh(Grid):
    """The program under test in a session, seen through its main window."""

    def __init__(self, session):
        super().__init__(session)
        self.last_menu = None

    def start(self):
        """Launches the program and waits for its grid of white squares."""
        move(self.session, 0, 0)
        self.left, self.top, _, _ = self.session.launch(mw.TITLE, mw.SIZE)
        self.park()
        self.wait_grid([(BLACK, WHITE)] * 256, "the 256 white squares with black outlines")
        return self

    # -- the context menu -----------------------------------------------------

    def open_menu(self, index):
        """Right-clicks square `index`; returns the open menu as read from the screen."""
        before = self.session.visible_windows()
        right_click(self.session, *self.square_point(index))
        rect, shot = self.session.wait_popup(before, TIMEOUT, "the context menu")
        return Menu(rect, read_menu(shot, *rect), shot)

    def close_menu(self, menu):
        """Closes an open menu with Escape, the pointer over it."""
        move(self.session, menu.rect[0] + menu.rect[2] // 2, menu.rect[1] + menu.rect[3] // 2)
        self.session.key("Escape")
        self.session.wait_popup_closed(menu.rect, TIMEOUT)
        self.park()
        self.session.settle(CLICK_GAP)

    def command(self, item, over=0):
        """Chooses a context-menu item, opening the menu over square `over`;
        returns the menu as it was read before the choice."""
        menu = self.open_menu(over)
        entry = menu.entries[item]
        if entry.enabled is not True:
            raise AssertionError("menu item %d is not offered: %s" % (item, menu.summary()))
        click(self.session, menu.rect[0] + 24, entry.centre_y)
        self.session.wait_popup_closed(menu.rect, TIMEOUT)
        self.park()
        self.last_menu = menu
        return menu

    def edit_command(self, item, over=0):
        """Hovers "Edit" in the context menu and clicks Cut, Copy or Paste in its submenu."""
        menu = self.open_menu(over)
        rect = menu.rect
        edit = menu.entries[EDIT]
        if not (edit.enabled and edit.submenu):
            raise AssertionError("Edit is not offered as a submenu: %s" % menu.summary())
        before = self.session.visible_windows()
        move(self.session, rect[0] + 24, edit.centre_y)
        sub_rect, shot = self.session.wait_popup(before, TIMEOUT, "the Edit submenu")
        sub_entries = read_menu(shot, *sub_rect)
        if [e.summary() for e in sub_entries] != ["on", "on", "on"]:
            raise AssertionError("the Edit submenu shows %s" % sub_entries)
        click(self.session, sub_rect[0] + 24, sub_entries[item].centre_y)
        self.session.wait_popup_closed(sub_rect, TIMEOUT)
        self.session.wait_popup_closed(rect, TIMEOUT)
        self.park()

    # -- windows and dialogs --------------------------------------------------

    def wait_dialog(self, title, not_size=None, timeout=TIMEOUT):
        """Waits for the one visible window named `title` (other than one of
        size `not_size`); returns its mapped rect."""
        def check():
            if self.session.program.poll() is not None:
                raise AssertionError("the program ended (exit code %s)" % self.session.program.returncode)
            found = [w[1:] for w in self.session.windows("^%s$" % re.escape(title))
                     if not_size is None or (w[3], w[4]) != tuple(not_size)]
            return found[0] if len(found) == 1 else None

        return wait_until(check, timeout, "the %r window" % title, interval=0.1)

    def wait_gone(self, title, rect, timeout=TIMEOUT):
        wait_until(lambda: rect not in [w[1:] for w in self.session.windows("^%s$" % re.escape(title))],
                   timeout, "the %r window to close" % title, interval=0.1)

    def choose_file(self, dialog_title, path):
        """In an open Wine file dialog: types the full Windows path into the
        name box and presses Enter; waits for the dialog to close."""
        rect = self.wait_dialog(dialog_title, not_size=mw.SIZE)
        # The keyboard goes to the window under the pointer.
        move(self.session, rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)
        self.session.xdotool("type", "--delay", "20", PaletteFolder.windows_path(path))
        self.session.key("Return")
        self.wait_gone(dialog_title, rect)
        self.park()

    def import_file(self, path, over=0):
        """"Import Palette" from the context menu, choosing `path` in the file dialog."""
        self.command(IMPORT_PALETTE, over)
        self.choose_file("Import Palette", path)

    def load_palette(self, folder, colours, name="load.pal"):
        """Puts `colours` into all 256 squares the way a user would: Select
        All, import a RIFF palette of them, Select All in the Import Palette
        window, OK. Leaves every square unselected."""
        path = folder.write(name, riff_palette(colours))
        self.command(SELECT_ALL)
        self.wait_grid([(MAGENTA, WHITE)] * 256, "Select All selecting every square")
        self.import_file(path)
        window = ImportWindow(self).wait_shown(colours)
        window.menu_command(0, ImportWindow.SELECT_ALL)
        window.wait_grid([(MAGENTA, c) for c in colours], "every imported square selected")
        window.close_by(ImportWindow.OK_POINT)
        self.wait_grid([(BLACK, c) for c in colours], "the loaded palette in the main window")
        self.session.settle(CLICK_GAP)

    def choose_color(self, over=0):
        """"Choose Color" from the context menu; returns the colour dialog."""
        self.command(CHOOSE_COLOR, over)
        return ColorDialog(self).wait_shown()


class ColorDialog:
    """Wine's colour dialog (ChooseColor), title "Color".

    Places are offsets from the dialog's mapped top-left corner (its client
    area), as Wine lays the dialog out with its default font; the dialog's
    size is checked first, so a different layout fails plainly instead of
    clicking the wrong control.
    """

    SIZE = (228, 278)
    FULL_SIZE = (450, 278)          # with "Define Custom Colors >>" pressed
    DEFINE_CUSTOM_POINT = (112, 234)
    OK_POINT = (42, 261)
    CANCEL_POINT = (123, 261)
    RGB_EDIT_POINTS = [(429, 195), (429, 216), (429, 237)]
    PREVIEW_POINT = (240, 205)      # the colour half of the "Color|Solid" box
    BASIC_ORIGIN = (16, 29)         # centre of the first basic colour
    BASIC_STEP = (26, 21)

    def __init__(self, app):
        self.app = app
        self.session = app.session
        self.rect = None

    def wait_shown(self):
        self.rect = self.app.wait_dialog("Color")
        if self.rect[2:] != self.SIZE:
            raise AssertionError("the colour dialog is %dx%d, not %dx%d" % (self.rect[2:] + self.SIZE))
        self.session.wait_screen_stable(what="the colour dialog to finish drawing")
        return self

    def at(self, offset):
        return self.rect[0] + offset[0], self.rect[1] + offset[1]

    def define_custom_colors(self):
        """Opens the dialog's right-hand part with the Red, Green and Blue boxes."""
        click(self.session, *self.at(self.DEFINE_CUSTOM_POINT))
        wide = self.rect[:2] + self.FULL_SIZE
        wait_until(lambda: wide in [w[1:] for w in self.session.windows("^Color$")], TIMEOUT,
                   "the colour dialog to open its custom colour part", interval=0.1)
        self.rect = wide
        self.session.wait_screen_stable(what="the colour dialog to finish drawing")

    def preview(self):
        return self.session.pixel(*self.at(self.PREVIEW_POINT))

    def wait_preview(self, colour, what):
        x, y = self.at(self.PREVIEW_POINT)
        self.session.wait_screen(lambda shot: shot.pixel(x, y) == colour, TIMEOUT,
                                 "the colour dialog to show %s %s" % (colour, what))

    def type_rgb(self, colour):
        """Types the colour's red, green and blue into the dialog's boxes."""
        if self.rect[2:] != self.FULL_SIZE:
            self.define_custom_colors()
        for point, value in zip(self.RGB_EDIT_POINTS, colour):
            click(self.session, *self.at(point))
            self.session.key("End")
            for _ in range(3):
                self.session.key("BackSpace")
            self.session.xdotool("type", str(value))
        self.wait_preview(colour, "after typing it")

    def pick_basic(self, row, column):
        """Clicks a basic colour; returns the colour the swatch shows."""
        x, y = self.at((self.BASIC_ORIGIN[0] + column * self.BASIC_STEP[0],
                        self.BASIC_ORIGIN[1] + row * self.BASIC_STEP[1]))
        colour = self.session.pixel(x, y)
        click(self.session, x, y)
        if self.rect[2:] == self.FULL_SIZE:
            self.wait_preview(colour, "after clicking its basic colour")
        return colour

    def close_by(self, point=None):
        """Clicks OK or Cancel; with no point, presses Enter (the pointer is
        then still on the box last typed into, outside the main window's grid)."""
        if point is None:
            self.session.key("Return")
        else:
            click(self.session, *self.at(point))
        self.app.wait_gone("Color", self.rect)
        self.app.park()
        self.session.settle(CLICK_GAP)


class ImportWindow(Grid):
    """The Import Palette window: a borderless 340 x 409 window with its own grid."""

    origin = staticmethod(import_square_origin)
    square_name = "imported square"

    SELECT_ALL, CLEAR_ALL = range(2)
    OK_POINT = (110 + 15, 371 + 7)
    CANCEL_POINT = (190 + 25, 371 + 7)
    CLOSE_MARK_POINT = mw.CLOSE_MARK_POINT

    def __init__(self, app):
        super().__init__(app.session)
        self.app = app

    def wait_shown(self, colours):
        """Waits for the window to show `colours` in its 256 squares, all
        unselected; then lets its 200 ms click lock-out pass."""
        self.left, self.top, _, _ = wait_until(
            lambda: self.session.window_rect("Import Palette", mw.SIZE), TIMEOUT,
            "the 340x409 Import Palette window", interval=0.1)
        self.park()
        self.wait_grid([(BLACK, c) for c in colours], "the Import Palette window to show the file's colours")
        self.session.settle(CLICK_GAP)
        return self

    def menu_command(self, index, item):
        """Right-clicks imported square `index` and chooses item `item` of the
        window's own menu ("Select All", "Clear All Selections")."""
        before = self.session.visible_windows()
        right_click(self.session, *self.square_point(index))
        rect, shot = self.session.wait_popup(before, TIMEOUT, "the Import Palette window's menu")
        entries = read_menu(shot, *rect)
        if [e.summary() for e in entries] != ["on", "on"]:
            raise AssertionError("the Import Palette window's menu shows %s" % entries)
        click(self.session, rect[0] + 24, entries[item].centre_y)
        self.session.wait_popup_closed(rect, TIMEOUT)
        self.park()
        self.session.settle(CLICK_GAP)

    def close_by(self, point):
        """Clicks a point of the window (OK, Cancel, the close mark) and waits for the window to go."""
        rect = (self.left, self.top) + mw.SIZE
        click(self.session, *self.at(point))
        self.app.wait_gone("Import Palette", rect)
        self.app.park()
