"""The help window's pictures of pages 2 to 8: screenshots of Tintmesh's own
windows, taken from the real program under Wine as a user walks through the
tutorial's workflow.

The workflow imports the three source palettes that resources/make_artwork.py
draws the first two pages from (a 192-colour skin palette, a 32-colour red
and a 32-colour magenta team palette), with the selections and the open menus
that each page's text describes. Each screenshot is the 340 x 409 window (with
the menu open over it) reduced to the page's 166 x 200 picture, its colours
reduced to at most 256, and stored as an 8-bit bitmap through the artwork
script's bitmap writer.

Run it through scripts/help-pictures.sh, which writes resources/helppage2.bmp
to resources/helppage8.bmp. The end-to-end test test_help.py takes the same
pictures again and compares them with the committed ones.
"""

import argparse
import importlib.util
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import harness
import mainwindow as mw
import palette_ui as ui
from harness import REPO, Session, parse_ppm, read_menu, wait_until
from palette_ui import BLACK, MAGENTA, WHITE, ImportWindow, PaletteFolder, Tintmesh

PICTURE_SIZE = (166, 200)
PAGES = range(2, 9)

# The menus are opened over this square, so that they open inside the window.
MENU_SQUARE = 17


def _load_artwork():
    found = importlib.util.spec_from_file_location("make_artwork", REPO / "resources" / "make_artwork.py")
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


artwork = _load_artwork()


def picture_file(page):
    return "helppage%d.bmp" % page


def _padded(colours):
    return list(colours) + [BLACK] * (256 - len(colours))


def reduce_window(shot, rect):
    """The window's part of a screenshot reduced to the picture size and to at most
    256 colours: (width, height, rows of RGB tuples)."""
    left, top, width, height = rect
    result = subprocess.run(
        ["convert", "ppm:-", "-crop", "%dx%d+%d+%d" % (width, height, left, top), "+repage",
         "-filter", "Box", "-resize", "%dx%d!" % PICTURE_SIZE, "+dither", "-colors", "256",
         "-depth", "8", "ppm:-"],
        input=shot.raw, capture_output=True, timeout=60)
    if result.returncode != 0:
        raise harness.HarnessError("convert failed: %s" % result.stderr.decode(errors="replace"))
    small = parse_ppm(result.stdout)
    rows = [[small.pixel(x, y) for x in range(small.width)] for y in range(small.height)]
    return small.width, small.height, rows


def bitmap_bytes(rows):
    palette, indices = artwork._indexed(rows)
    return artwork.bmp8(len(rows[0]), len(rows), palette, indices)


class Workflow:
    """The tutorial's steps in one session; `shots` collects the page pictures."""

    def __init__(self, session, folder):
        self.session = session
        self.folder = folder
        self.app = Tintmesh(session)
        self.shots = {}
        skin = artwork.skin_palette()
        self.skin = _padded(skin)
        self.red = _padded(artwork.red_team_palette())
        self.magenta = _padded(artwork.magenta_team_palette())
        self.files = {
            "skin": folder.write("skin.pal", ui.riff_palette(self.skin)),
            "red": folder.write("red-team.pal", ui.riff_palette(self.red)),
            "magenta": folder.write("magenta-team.pal", ui.riff_palette(self.magenta)),
        }

    def window_rect(self):
        return (self.app.left, self.app.top) + mw.SIZE

    def _take(self, page):
        shot = self.session.wait_screen_stable(what="the screen to settle for page %d's picture" % page)
        self.shots[page] = reduce_window(shot, self.window_rect())

    def _menu_at(self, grid, item, page):
        """Opens a grid's menu over MENU_SQUARE, points at `item`, takes the page's
        picture and chooses the item."""
        before = self.session.visible_windows()
        ui.right_click(self.session, *grid.square_point(MENU_SQUARE))
        rect, shot = self.session.wait_popup(before, ui.TIMEOUT, "the menu for page %d" % page)
        entries = read_menu(shot, *rect)
        ui.move(self.session, rect[0] + 24, entries[item].centre_y)
        # The item under the pointer is drawn highlighted.
        self.session.wait_screen(lambda s: s.data != shot.data, ui.TIMEOUT, "the menu item to be highlighted")
        self._take(page)
        ui.click(self.session, rect[0] + 24, entries[item].centre_y)
        self.session.wait_popup_closed(rect, ui.TIMEOUT)
        grid.park()
        time.sleep(ui.CLICK_GAP)

    def _import(self, name, page):
        """Import Palette on the main window's selection, taking page's picture of the menu."""
        self._menu_at(self.app, ui.IMPORT_PALETTE, page)
        self.app.choose_file("Import Palette", self.files[name])
        return ImportWindow(self.app)

    def run(self):
        app = self.app
        app.start()
        white = [(BLACK, WHITE)] * 256
        main_area = list(range(0, 160)) + list(range(224, 256))

        # Page 2: the main area selected, the menu at "Import Palette".
        app.select((0, 159), (224, 255))
        app.wait_grid([(MAGENTA if i in main_area else BLACK, WHITE) for i in range(256)], "the main area selected")
        window = self._import("skin", 2)

        # Page 3: the imported skin palette, its menu at "Select All".
        window.wait_shown(self.skin)
        self._menu_at(window, ImportWindow.SELECT_ALL, 3)
        window.wait_grid([(MAGENTA, c) for c in self.skin], "every imported skin square selected")
        window.close_by(ImportWindow.OK_POINT)
        palette = [WHITE] * 256
        for j, i in enumerate(main_area):
            palette[i] = self.skin[j]
        app.wait_grid([(BLACK, c) for c in palette], "the skin colours merged")
        time.sleep(ui.CLICK_GAP)

        # Pages 4 to 7: each team's rows selected and imported.
        for page, name, colours, rows in ((4, "red", self.red, (160, 191)), (6, "magenta", self.magenta, (192, 223))):
            team = range(rows[0], rows[1] + 1)
            app.select(rows)
            app.wait_grid([(MAGENTA if i in team else BLACK, c) for i, c in enumerate(palette)],
                          "the team rows %d-%d selected" % rows)
            window = self._import(name, page)
            window.wait_shown(colours)
            window.select((0, 31))
            window.wait_grid([(MAGENTA if i < 32 else BLACK, c) for i, c in enumerate(colours)],
                             "the 32 team colours selected")
            self._take(page + 1)
            window.close_by(ImportWindow.OK_POINT)
            for j, i in enumerate(team):
                palette[i] = colours[j]
            app.wait_grid([(BLACK, c) for c in palette], "the %s team colours merged" % name)
            time.sleep(ui.CLICK_GAP)

        # Page 8: the finished palette, the menu at "Save Palette" (closed again unchosen).
        before = self.session.visible_windows()
        ui.right_click(self.session, *app.square_point(MENU_SQUARE))
        rect, shot = self.session.wait_popup(before, ui.TIMEOUT, "the menu for page 8")
        entries = read_menu(shot, *rect)
        ui.move(self.session, rect[0] + 24, entries[ui.SAVE_PALETTE].centre_y)
        self.session.wait_screen(lambda s: s.data != shot.data, ui.TIMEOUT, "Save Palette to be highlighted")
        self._take(8)
        app.close_menu(ui.Menu(rect, entries, shot))
        return self.shots


def take_pictures(session):
    """Runs the workflow in a started session; returns {page: rows of RGB tuples}."""
    folder = PaletteFolder()
    try:
        shots = Workflow(session, folder).run()
    finally:
        folder.remove()
    return {page: rows for page, (_, _, rows) in shots.items()}


def compare(rows, bmp_path, strong=64):
    """(share of pixels that differ at all, share that differ by more than `strong` in
    a channel) between picture rows and a committed bitmap of the same size."""
    width, height, committed = mw.load_bmp(bmp_path)
    if (width, height) != (len(rows[0]), len(rows)):
        return 1.0, 1.0
    changed = strongly = 0
    for y, row in enumerate(rows):
        for x, rgb in enumerate(row):
            d = max(abs(a - b) for a, b in zip(rgb, committed(x, y)))
            changed += d > 0
            strongly += d > strong
    total = width * height
    return changed / total, strongly / total


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=str(REPO / "resources"), help="folder to write the pictures into")
    parser.add_argument("--program", default=str(harness.Config.program))
    parser.add_argument("--warmup", default=str(harness.Config.warmup))
    args = parser.parse_args()
    harness.Config.program = Path(args.program)
    harness.Config.warmup = Path(args.warmup)
    work = Path(tempfile.mkdtemp(prefix="tintmesh-help-pictures-"))
    template = work / "prefix"
    try:
        print("help-pictures: booting a Wine prefix ...", flush=True)
        harness.make_template_prefix(template, work / "boot.log")
        harness.Config.template_prefix = template
        with Session("help-pictures") as session:
            pictures = take_pictures(session)
        total = 0
        for page in PAGES:
            data = bitmap_bytes(pictures[page])
            path = Path(args.out) / picture_file(page)
            path.write_bytes(data)
            total += len(data)
            print("wrote %s (%d bytes)" % (path, len(data)))
        print("help-pictures: %d bytes in all" % total)
    finally:
        if template.exists():
            harness.end_prefix_servers(template)
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
