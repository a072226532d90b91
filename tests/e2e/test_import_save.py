"""End-to-end tests of importing and saving palettes: the real program under
Wine with Wine's real file dialogs, checked colour by colour on the screen
and byte by byte in the saved file."""

import unittest

import mainwindow as mw
import palette_ui as ui
from harness import SCREEN_HEIGHT, SCREEN_WIDTH, Session
from palette_ui import BLACK, MAGENTA, WHITE, ImportWindow, PaletteFolder, Tintmesh

# The first 24 bytes of every palette the program saves.
RIFF_HEADER = bytes.fromhex("52 49 46 46 10 04 00 00 50 41 4C 20 64 61 74 61 04 04 00 00 00 03 00 01")

# The message box of an unsupported file: outer 235 x 125, centred over the
# 340 x 409 main window with the halves truncated: (52, 142) from its corner.
MESSAGE_BOX_OFFSET = (52, 142)
MESSAGE_BOX_SIZE = (235, 125)
MESSAGE_LABEL = (50, 17, 135, 15)     # in the box's client area
MESSAGE_BUTTON = (80, 60, 75, 25)
DIALOG_FACE = (240, 240, 240)

# The About box: outer 288 x 249, centred over the main window: (340 - 288) / 2
# = 26 right of its left edge and (409 - 249) / 2 = 80 below its top.
ABOUT_OFFSET = (26, 80)
ABOUT_SIZE = (288, 249)


def merged(before, main_selected, imported, imported_selected):
    """The main palette after the merge: the j-th selected main square takes
    the j-th selected imported colour, black once those run out."""
    after = list(before)
    for j, index in enumerate(sorted(main_selected)):
        after[index] = imported[sorted(imported_selected)[j]] if j < len(imported_selected) else BLACK
    return after


class ImportSaveTest(unittest.TestCase):

    def setUp(self):
        self.folder = PaletteFolder()
        self.addCleanup(self.folder.remove)

    def session(self):
        return Session(self._testMethodName)

    def test_riff_import_merges_chosen_squares_and_save_writes_them(self):
        imported = ui.distinct_colours(1)
        path = self.folder.write("team.pal", ui.riff_palette(imported))
        with self.session() as session:
            app = Tintmesh(session).start()

            main_selected = [5, 9, 100, 101, 102, 103, 200, 250]
            app.select(5, 9, (100, 103), 200, 250)
            app.wait_grid([(MAGENTA if i in main_selected else BLACK, WHITE) for i in range(256)],
                          "the chosen main squares selected")

            app.import_file(path, over=9)
            window = ImportWindow(app).wait_shown(imported)
            self.assertEqual((window.left, window.top), ((SCREEN_WIDTH - 340) // 2, (SCREEN_HEIGHT - 409) // 2),
                             "the Import Palette window opens centred on the screen")

            # Six imported colours for eight main squares: the last two get black.
            imported_selected = [2, 40, 41, 42, 43, 77]
            window.select(2, (40, 43), 77)
            window.wait_grid([(MAGENTA if i in imported_selected else BLACK, c) for i, c in enumerate(imported)],
                             "the chosen imported squares selected")
            window.close_by(ImportWindow.OK_POINT)

            palette = merged([WHITE] * 256, main_selected, imported, imported_selected)
            self.assertEqual(palette[200], BLACK)
            app.wait_grid([(BLACK, c) for c in palette], "the imported colours merged in order, all unselected")

            # Save, with some squares selected: every square ends unselected.
            app.select(0, 255)
            out = self.folder.file("saved.pal")
            app.command(ui.SAVE_PALETTE, over=0)
            app.choose_file("Save Palette As...", out)

            about = app.wait_dialog("About Tintmesh")
            self.assertEqual(ui.outer_rect(about), app.at(ABOUT_OFFSET) + ABOUT_SIZE,
                             "the About box (outer rectangle) centred over the main window")
            data = out.read_bytes()
            self.assertEqual(len(data), 1048)
            self.assertEqual(data[:24], RIFF_HEADER)
            saved = [tuple(data[24 + 4 * i:27 + 4 * i]) for i in range(256)]
            wrong = [i for i in range(256) if saved[i] != palette[i]]
            self.assertEqual(wrong, [], "saved colours differ at %s" % wrong[:8])
            self.assertEqual(data[24:], b"".join(bytes(c) + b"\0" for c in palette))

            ui.move(session, about[0] + about[2] // 2, about[1] + about[3] // 2)
            session.key("Return")
            app.wait_gone("About Tintmesh", about)
            app.park()
            app.wait_grid([(BLACK, c) for c in palette], "the saved palette with every square unselected")

    def test_jasc_import_of_all_squares_then_cancel_and_close_mark_change_nothing(self):
        imported = ui.distinct_colours(2)
        path = self.folder.write("skin.pal", ui.jasc_palette(imported))
        with self.session() as session:
            app = Tintmesh(session).start()

            app.command(ui.SELECT_ALL, over=17)
            app.wait_grid([(MAGENTA, WHITE)] * 256, "Select All selecting every main square")
            app.import_file(path, over=17)
            window = ImportWindow(app).wait_shown(imported)
            window.menu_command(120, ImportWindow.SELECT_ALL)
            window.wait_grid([(MAGENTA, c) for c in imported], "the window's Select All selecting every square")
            window.close_by(ImportWindow.OK_POINT)
            app.wait_grid([(BLACK, c) for c in imported], "every main square taking its imported colour")

            # Cancel and the close mark leave colours and selection alone.
            app.select(3, (10, 12))
            chosen = {3, 10, 11, 12}
            unchanged = [(MAGENTA if i in chosen else BLACK, c) for i, c in enumerate(imported)]
            app.wait_grid(unchanged, "squares 3 and 10 to 12 selected")
            for how, point in (("Cancel", ImportWindow.CANCEL_POINT), ("the close mark", ImportWindow.CLOSE_MARK_POINT)):
                app.import_file(path, over=3)
                window = ImportWindow(app).wait_shown(imported)
                window.select((0, 5))
                window.close_by(point)
                app.wait_grid(unchanged, "the main window as it was after %s" % how)
                app.assert_grid_stays(unchanged, "after %s" % how)

    def test_unsupported_file_shows_its_message_box_and_changes_nothing(self):
        path = self.folder.write("raw.pal", bytes(range(256)) * 3)
        with self.session() as session:
            app = Tintmesh(session).start()
            app.select(5)
            before = [(MAGENTA if i == 5 else BLACK, WHITE) for i in range(256)]
            app.import_file(path, over=5)

            box = app.wait_dialog("Tintmesh", not_size=mw.SIZE)
            self.assertEqual(ui.outer_rect(box), app.at(MESSAGE_BOX_OFFSET) + MESSAGE_BOX_SIZE,
                             "the message box (outer rectangle) centred over the main window")
            shot = session.wait_screen_stable(what="the message box to finish drawing")

            # The text is drawn inside its label, centred; the button where
            # it belongs; nothing else in the box.
            def inside(x, y, rect):
                return rect[0] <= x < rect[0] + rect[2] and rect[1] <= y < rect[1] + rect[3]

            text, stray = [], []
            for x, y, p in shot.rect_pixels(box[0], box[1], box[2], box[3]):
                cx, cy = x - box[0], y - box[1]
                if p == DIALOG_FACE or inside(cx, cy, MESSAGE_BUTTON):
                    continue
                (text if inside(cx, cy, MESSAGE_LABEL) else stray).append((cx, cy))
            self.assertEqual(stray, [], "ink outside the label and the button")
            self.assertGreater(len(text), 100, "the label shows its text")
            xs = [x for x, _ in text]
            margins = (min(xs) - MESSAGE_LABEL[0], MESSAGE_LABEL[0] + MESSAGE_LABEL[2] - 1 - max(xs))
            self.assertLessEqual(abs(margins[0] - margins[1]), 1, "the text is centred: margins %s" % (margins,))
            bl, bt, bw, bh = MESSAGE_BUTTON
            edge = [shot.pixel(box[0] + x, box[1] + y) for x in range(bl, bl + bw) for y in (bt, bt + bh - 1)]
            edge += [shot.pixel(box[0] + x, box[1] + y) for y in range(bt, bt + bh) for x in (bl, bl + bw - 1)]
            self.assertNotIn(DIALOG_FACE, edge, "the OK button's frame")
            for x, y in ((bl - 1, bt + bh // 2), (bl + bw, bt + bh // 2), (bl + bw // 2, bt - 1), (bl + bw // 2, bt + bh)):
                self.assertEqual(shot.pixel(box[0] + x, box[1] + y), DIALOG_FACE, "just outside the OK button")

            ui.click(session, box[0] + bl + bw // 2, box[1] + bt + bh // 2)
            app.wait_gone("Tintmesh", box)
            app.park()
            app.wait_grid(before, "the main window as it was")
            app.assert_grid_stays(before, "after the message box")


if __name__ == "__main__":
    unittest.main()
