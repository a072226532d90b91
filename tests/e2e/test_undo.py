"""End-to-end tests of undo and redo: real Ctrl+Z and Ctrl+Y typed into the
main window under Wine, checked by what the squares show on the screen."""

import time
import unittest

import palette_ui as ui
from harness import Session
from palette_ui import BLACK, MAGENTA, WHITE, PaletteFolder, Tintmesh
from test_editing import cut, sort, sorting_palette, unselected


class UndoTest(unittest.TestCase):

    def session(self):
        return Session(self._testMethodName)

    def press(self, app, keys):
        """Types a key combination with the pointer resting on the main window,
        which with no window manager is where the keyboard goes."""
        app.park()
        app.session.key(keys)
        time.sleep(ui.CLICK_GAP)

    def test_undo_and_redo_of_an_import_and_a_sort(self):
        folder = PaletteFolder()
        self.addCleanup(folder.remove)
        palette = sorting_palette()
        with self.session() as session:
            app = Tintmesh(session).start()
            # Select All, then the import of all 256 squares through the
            # Import Palette window.
            app.load_palette(folder, palette)

            # Straight after the Import Palette window closes the keyboard
            # is the main window's again: the import is undone, all squares
            # white and selected as before it, and redone.
            self.press(app, "ctrl+z")
            app.wait_grid([(MAGENTA, WHITE)] * 256, "Ctrl+Z right after the import undoing it")
            self.press(app, "ctrl+y")
            app.wait_grid(unselected(palette), "Ctrl+Y redoing the import")

            app.command(ui.SELECT_ALL, over=40)
            app.wait_grid([(MAGENTA, c) for c in palette], "Select All selecting every square")
            app.command(ui.SORT, over=40)
            ordered = sort(palette, set(range(256)))
            self.assertNotEqual(ordered, palette)
            app.wait_grid(unselected(ordered), "the sorted palette")

            self.press(app, "ctrl+z")
            app.wait_grid([(MAGENTA, c) for c in palette],
                          "Ctrl+Z giving back the imported order, every square selected as before the sort")
            self.press(app, "ctrl+y")
            app.wait_grid(unselected(ordered), "Ctrl+Y giving back the sorted palette")

            # Two steps back: before the sort, then before the import, when
            # the grid was white and all selected.
            self.press(app, "ctrl+z")
            app.wait_grid([(MAGENTA, c) for c in palette], "Ctrl+Z undoing the sort again")
            self.press(app, "ctrl+z")
            app.wait_grid([(MAGENTA, WHITE)] * 256, "a second Ctrl+Z undoing the import")
            self.press(app, "ctrl+shift+z")
            app.wait_grid(unselected(palette), "Ctrl+Shift+Z redoing the import")

    def test_cut_and_choose_color_undone_give_the_squares_back_selected(self):
        folder = PaletteFolder()
        self.addCleanup(folder.remove)
        palette = sorting_palette()
        with self.session() as session:
            app = Tintmesh(session).start()
            app.load_palette(folder, palette)

            app.select(21)
            app.edit_command(ui.CUT, over=21)
            after = cut(palette, {21})
            self.assertEqual(after[255], BLACK)
            app.wait_grid(unselected(after), "Cut of square 21")

            self.press(app, "ctrl+z")
            looks = unselected(palette)
            looks[21] = (MAGENTA, palette[21])
            app.wait_grid(looks, "Ctrl+Z giving square 21 back, selected")
            self.press(app, "ctrl+y")
            app.wait_grid(unselected(after), "Ctrl+Y cutting it again")

            # Straight after the colour dialog closes, Ctrl+Z takes its
            # colour back off square 30 and selects it again.
            app.select(30)
            dialog = app.choose_color(over=30)
            chosen = dialog.pick_basic(0, 5)
            self.assertNotIn(chosen, (after[30], BLACK))
            dialog.close_by(dialog.OK_POINT)
            painted = unselected(after)
            painted[30] = (BLACK, chosen)
            app.wait_grid(painted, "square 30 painted from the colour dialog")
            self.press(app, "ctrl+z")
            looks = unselected(after)
            looks[30] = (MAGENTA, after[30])
            app.wait_grid(looks, "Ctrl+Z right after the colour dialog giving square 30 its colour back, selected")


if __name__ == "__main__":
    unittest.main()
