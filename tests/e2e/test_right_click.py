"""End-to-end tests of right clicks after the Import Palette window has been
used: the real program under Wine, driven the way a user works through an
import, checked by what the screen shows.

After an import (ended with "OK", "Cancel" or the close mark, or followed by
a save and its About box) a right click on a square must open the context
menu and toggle nothing, and a left click must toggle its square exactly
once, also when that left click is the one that closes a menu left open.
"""

import time
import unittest

import mainwindow as mw
import palette_ui as ui
from harness import Session
from palette_ui import BLACK, MAGENTA, WHITE, ImportWindow, PaletteFolder, Tintmesh

# The right click follows the left click on the same square this long after
# it, as a user who sees the square change and goes on.
RIGHT_CLICK_AFTER = 0.35
# ... and never sooner than this after the program has shown the left click,
# so that a slow program's 200 ms click lock-out is over.
AFTER_SHOWN = 0.25

# The About box's OK button, in its client area.
ABOUT_OK_POINT = (110 + 32, 183 + 15)

# Squares used, and some to close a menu opened over square 40 with: row 0
# lies above any menu opened over a square below it. Whether the system
# loses the release of such a click depends on how fast it reacts, so the
# test makes it more than once.
FIRST, SECOND, DISMISS = 0, 40, (12, 14, 15)


class RightClickTest(unittest.TestCase):

    def setUp(self):
        self.folder = PaletteFolder()
        self.addCleanup(self.folder.remove)
        self.colours = ui.distinct_colours(3)

    # -- the steps ------------------------------------------------------------

    def import_and_end(self, app, end):
        """Select All, Import Palette with a RIFF file, Select All in the
        Import Palette window, and end it by `end` ("OK", "Cancel", "close
        mark", or "save": OK and then Save Palette with its About box).
        Returns the main window's squares as they are then."""
        path = self.folder.write("team.pal", ui.riff_palette(self.colours))
        app.command(ui.SELECT_ALL)
        app.wait_grid([(MAGENTA, WHITE)] * 256, "Select All selecting every square")
        app.import_file(path)
        window = ImportWindow(app).wait_shown(self.colours)
        window.menu_command(0, ImportWindow.SELECT_ALL)
        window.wait_grid([(MAGENTA, c) for c in self.colours], "every imported square selected")
        point = {"Cancel": ImportWindow.CANCEL_POINT,
                 "close mark": ImportWindow.CLOSE_MARK_POINT}.get(end, ImportWindow.OK_POINT)
        window.close_by(point)
        if end in ("Cancel", "close mark"):
            grid = [(MAGENTA, WHITE)] * 256
        else:
            grid = [(BLACK, c) for c in self.colours]
        app.wait_grid(grid, "the main window after the import ended by %s" % end)
        time.sleep(ui.CLICK_GAP)

        if end == "save":
            app.command(ui.SAVE_PALETTE)
            app.choose_file("Save Palette As...", self.folder.file("saved.pal"))
            about = app.wait_dialog("About Tintmesh")
            self.app_session.wait_screen_stable(what="the About box to finish drawing")
            ui.click(self.app_session, about[0] + ABOUT_OK_POINT[0], about[1] + ABOUT_OK_POINT[1])
            app.wait_gone("About Tintmesh", about)
            app.park()
            app.wait_grid(grid, "the main window after the About box")
            time.sleep(ui.CLICK_GAP)
        return grid

    def choose_clear_all(self, app, grid):
        """Right-clicks square 0 and clicks "Clear All Selections". When the
        item is disabled (nothing selected) the menu stays open; it is
        returned then, to be closed by the next click."""
        menu = app.open_menu(FIRST)
        entry = menu.entries[ui.CLEAR_ALL]
        ui.click(self.app_session, menu.rect[0] + 24, entry.centre_y)
        if entry.enabled:
            self.app_session.wait_popup_closed(menu.rect, ui.TIMEOUT)
            app.park()
            grid = [(BLACK, fill) for _, fill in grid]
            app.wait_grid(grid, "Clear All Selections unselecting every square")
            time.sleep(ui.CLICK_GAP)
            return grid, None
        time.sleep(ui.QUIET_PERIOD)
        self.assertIn(menu.rect, self.app_session.visible_windows().values(),
                      "the menu stays open after a click on its disabled item")
        return grid, menu

    def click_then_right_click(self, app, grid, index, what):
        """Left-clicks square `index` (which may close an open menu), and a
        moment later right-clicks it: the left click toggles it once, the
        right click opens the context menu, which is returned."""
        session = self.app_session
        ui.move(session, *app.square_point(index))
        # A menu still open now is in `before` too: the one to wait for is new.
        before = session.visible_windows()
        outline, fill = grid[index]
        toggled = (BLACK if outline == MAGENTA else MAGENTA, fill)
        clicked = time.monotonic()
        session.xdotool("click", 1)
        session.wait_screen(
            lambda shot: ui.square_look(shot, app.left, app.top, index) == toggled, ui.TIMEOUT,
            "square %d to toggle at the left click %s" % (index, what))
        shown = time.monotonic()
        while time.monotonic() < max(clicked + RIGHT_CLICK_AFTER, shown + AFTER_SHOWN):
            time.sleep(0.01)
        session.xdotool("click", 3)
        grid = list(grid)
        grid[index] = toggled
        try:
            rect, shot = session.wait_popup(before, ui.TIMEOUT, "the context menu")
        except AssertionError:
            app.park()
            raise AssertionError("the right click on square %d %s opened no menu; the squares now: %s" % (
                index, what, ui.describe_differences(app.looks(), grid))) from None
        menu = ui.Menu(rect, ui.read_menu(shot, *rect), shot)
        self.assertEqual(menu.summary(), mw.MENU_SOMETHING_SELECTED,
                         "the main window's menu with a square selected, %s" % what)
        return grid, menu

    def run_steps(self, end):
        with Session(self._testMethodName) as session:
            self.app_session = session
            app = Tintmesh(session).start()
            grid = self.import_and_end(app, end)
            grid, open_menu = self.choose_clear_all(app, grid)

            # The left click (which closes the menu when it was left open)
            # and the right click on square 0.
            what = "after the import ended by %s" % end
            grid, menu = self.click_then_right_click(app, grid, FIRST, what)
            app.close_menu(menu)
            app.wait_grid(grid, "only square %d toggled, once, %s" % (FIRST, what))

            # A right click on another square opens the menu and toggles nothing.
            menu = app.open_menu(SECOND)
            self.assertEqual(menu.summary(), mw.MENU_SOMETHING_SELECTED)
            app.close_menu(menu)
            app.assert_grid_stays(grid, "after the right click on square %d %s" % (SECOND, what))

            # A left click that closes an open menu toggles its square once
            # and leaves the next right click its menu.
            for index in DISMISS:
                menu = app.open_menu(SECOND)
                grid, menu = self.click_then_right_click(app, grid, index, "that closed a menu, " + what)
                app.close_menu(menu)
                app.assert_grid_stays(grid, "after the clicks on square %d %s" % (index, what))

    # -- the tests ------------------------------------------------------------

    def test_right_click_opens_the_menu_after_an_import_with_ok(self):
        self.run_steps("OK")

    def test_right_click_opens_the_menu_after_an_import_cancelled(self):
        self.run_steps("Cancel")

    def test_right_click_opens_the_menu_after_the_import_window_close_mark(self):
        self.run_steps("close mark")

    def test_right_click_opens_the_menu_after_a_save_and_its_about_box(self):
        self.run_steps("save")


if __name__ == "__main__":
    unittest.main()
