"""End-to-end tests of what the real program takes from the system under
Wine: the remembered folders in the registry, the large-font layout and the
256-colour warning read from the display keys, the colour hint window, and
the safe save over an existing file. Each test sets the prefix's registry
before the program starts where it needs to, and reads back what the
program stored."""

import os
import stat
import time
import unittest

import mainwindow as mw
import palette_ui as ui
import realside as rs
from harness import Session, wait_until
from palette_ui import BLACK, MAGENTA, WHITE, ImportWindow, PaletteFolder, Tintmesh

TIMEOUT = ui.TIMEOUT

# The first 24 bytes of every palette the program saves.
RIFF_HEADER = bytes.fromhex("52 49 46 46 10 04 00 00 50 41 4C 20 64 61 74 61 04 04 00 00 00 03 00 01")

SAVE_TITLE = "Save Palette As..."
IMPORT_TITLE = "Import Palette"

# The main window's labels in the normal and the large-font layout
# (left, top, width, height).
NORMAL = {"close mark": (307, 12, 13, 29), "title": (36, 18, 261, 19),
          "instructions": (22, 52, 298, 47), "link": (243, 82, 39, 14)}
LARGE = {"close mark": (305, 12, 13, 29), "title": (36, 18, 251, 22),
         "instructions": (17, 49, 313, 50), "link": (254, 81, 46, 17)}
# Where each label's text is looked for: the union of its two places, grown a little.
LOOK = {"close mark": (300, 8, 22, 36), "title": (30, 14, 272, 30),
        "instructions": (12, 44, 322, 60), "link": (238, 78, 66, 24)}

WARNING_LINES = 2


def saved_palette(colours):
    return RIFF_HEADER + b"".join(bytes(c) + b"\0" for c in colours)


class RealSideTest(unittest.TestCase):

    def setUp(self):
        self.folder = PaletteFolder()
        self.addCleanup(self.folder.remove)

    def session(self):
        return Session(self._testMethodName)

    # -- helpers --------------------------------------------------------------

    def save_as(self, app, path, overwrite=False):
        """"Save Palette" with `path` typed into the dialog; answers the overwrite prompt
        with Yes when `overwrite`."""
        app.command(ui.SAVE_PALETTE, over=0)
        dialog = app.wait_dialog(SAVE_TITLE, not_size=mw.SIZE)
        app.session.move(dialog[0] + dialog[2] // 2, dialog[1] + dialog[3] // 2)
        app.session.xdotool("type", "--delay", "20", PaletteFolder.windows_path(path))
        app.session.key("Return")
        if overwrite:
            rs.answer_prompt(app, SAVE_TITLE, dialog[2:])
        app.wait_gone(SAVE_TITLE, dialog)
        app.park()

    # -- tests ----------------------------------------------------------------

    def test_colour_hint_follows_the_pointer_over_the_squares(self):
        colours = ui.distinct_colours(3)
        colours[17] = (255, 128, 0)
        colours[40] = (255, 128, 0)
        colours[18] = (0, 0, 255)
        with self.session() as session:
            app = Tintmesh(session).start()
            app.load_palette(self.folder, colours)

            def rest_on(index, text):
                x, y = app.square_point(index)
                session.move(x, y)
                hint = wait_until(lambda: session.window_rect(text), TIMEOUT,
                                  "the hint %r over square %d" % (text, index), interval=0.05)
                # The hint shows 20 pixels below the pointer.
                self.assertEqual(hint[:2], (x, y + 20), "the hint's corner for square %d" % index)
                shot = session.screenshot()
                picture = [p for _, _, p in shot.rect_pixels(*hint)]
                self.assertGreater(len(set(picture)), 1, "the hint %r shows text" % text)
                return hint, picture

            orange, orange_picture = rest_on(17, "255,128,0")
            blue, blue_picture = rest_on(18, "0,0,255")
            wait_until(lambda: session.window_rect("255,128,0") is None, TIMEOUT,
                       "the first hint to go when the pointer moved on")
            self.assertLess(blue[2], orange[2], "0,0,255 is drawn narrower than 255,128,0")
            again, again_picture = rest_on(40, "255,128,0")
            self.assertEqual(again[2:], orange[2:])
            self.assertEqual(again_picture, orange_picture, "the same colour shows the same hint text")
            self.assertNotEqual(blue_picture, orange_picture[:len(blue_picture)])

            # Off the grid, onto the window's plain background: the hint goes.
            app.park()
            wait_until(lambda: session.window_rect("255,128,0") is None, TIMEOUT,
                       "the hint to go when the pointer left the grid")

    def test_saving_over_an_existing_file_replaces_it_unless_it_is_read_only(self):
        old = ui.riff_palette(ui.distinct_colours(4))
        target = self.folder.write("keep.pal", old)
        with self.session() as session:
            app = Tintmesh(session).start()

            # A read-only file is not replaced: the program says so and everything stays.
            os.chmod(target, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)
            self.addCleanup(os.chmod, target, stat.S_IRUSR | stat.S_IWUSR)
            app.select(7)
            self.save_as(app, target, overwrite=True)
            box = app.wait_dialog("Tintmesh", not_size=mw.SIZE)
            self.assertEqual(ui.outer_rect(box), app.at((52, 142)) + (235, 125),
                             "the notice (outer rectangle) centred over the main window")
            shot = session.wait_screen_stable(what="the notice to finish drawing")
            points = rs.message_box_ink(shot, box, (80, 60, 75, 25))
            self.assertEqual(rs.inside(points, (30, 17, 175, 15)), [], "the notice's ink outside its label")
            self.assertGreater(len(points), 100, "the notice shows its text")
            rs.assert_button_at(self, shot, box, (80, 60, 75, 25))
            self.assertEqual(target.read_bytes(), old, "the read-only file keeps its bytes")
            self.assertEqual(rs.files_in(self.folder.path), ["keep.pal"], "no temporary file is left")
            ui.click(session, box[0] + 80 + 37, box[1] + 60 + 12)
            app.wait_gone("Tintmesh", box)
            app.park()
            app.wait_grid([(MAGENTA if i == 7 else BLACK, WHITE) for i in range(256)],
                          "the palette and its selection as they were")

            # Writable again: the prompt's Yes replaces the file with the new 1048 bytes.
            os.chmod(target, stat.S_IRUSR | stat.S_IWUSR)
            self.save_as(app, target, overwrite=True)
            rs.dismiss_about(app)
            data = target.read_bytes()
            self.assertEqual(len(data), 1048)
            self.assertEqual(data, saved_palette([WHITE] * 256))
            self.assertEqual(rs.files_in(self.folder.path), ["keep.pal"], "no temporary file is left")
            app.wait_grid([(BLACK, WHITE)] * 256, "every square unselected after the save")


if __name__ == "__main__":
    unittest.main()
