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
# Where each label's text is looked for: the union of its two places, grown a
# little (the title's stops short of the icon and the separator line).
LOOK = {"close mark": (300, 8, 22, 36), "title": (34, 14, 268, 27),
        "instructions": (12, 44, 322, 60), "link": (238, 78, 66, 24)}


def saved_palette(colours):
    return RIFF_HEADER + b"".join(bytes(c) + b"\0" for c in colours)


class RealSideTest(unittest.TestCase):

    def setUp(self):
        self.folder = PaletteFolder()
        self.addCleanup(self.folder.remove)

    def session(self):
        return Session(self._testMethodName)

    def new_folder(self):
        folder = PaletteFolder()
        self.addCleanup(folder.remove)
        return folder

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
                """Rests the pointer on a square until the hint `text` shows, fully drawn;
                returns its rect and its pixels."""
                x, y = app.square_point(index)
                session.move(x, y)
                hint = wait_until(lambda: session.window_rect(text), TIMEOUT,
                                  "the hint %r over square %d" % (text, index), interval=0.05)
                # The hint shows 20 pixels below the pointer.
                self.assertEqual(hint[:2], (x, y + 20), "the hint's corner for square %d" % index)
                readings = [None]

                def drawn():
                    picture = [p for _, _, p in session.screenshot().rect_pixels(*hint)]
                    done = len(set(picture)) > 1 and picture == readings[0]
                    readings[0] = picture
                    return done

                wait_until(drawn, TIMEOUT, "the hint %r to show its text" % text, interval=0.05)
                return hint, readings[0]

            orange, orange_picture = rest_on(17, "255,128,0")
            blue, _ = rest_on(18, "0,0,255")
            self.assertIsNone(session.window_rect("255,128,0"), "one hint at a time")
            self.assertLess(blue[2], orange[2], "0,0,255 is drawn narrower than 255,128,0")
            again, again_picture = rest_on(40, "255,128,0")
            self.assertEqual(again[2:], orange[2:])
            self.assertEqual(again_picture, orange_picture, "the same colour shows the same hint text")

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


    def test_256_colour_warning_shows_before_the_grid_only_at_8_bits(self):
        with self.session() as session:
            # 16, 24 and 32 bits: the grid, and no notice.
            for bits in (16, 24, 32):
                key = rs.set_colour_depth(session, bits)
                app = Tintmesh(session).start()
                others = [w for w in session.windows("^Tintmesh$") if (w[3], w[4]) != mw.SIZE]
                self.assertEqual(others, [], "no notice at %d bits" % bits)
                self.assertEqual(rs.reg_values(session, key).get("DefaultSettings.BitsPerPel"),
                                 ("REG_DWORD", "0x%x" % bits), "the depth the program read")
                rs.close_program(app)

            # 8 bits: the warning, at its designed place, before the main window shows.
            rs.set_colour_depth(session, 8)
            rs.launch_without_waiting(session)
            app = Tintmesh(session)
            box = app.wait_dialog("Tintmesh", not_size=mw.SIZE)
            self.assertEqual(ui.outer_rect(box), (626, 608, 245, 125), "the warning (outer rectangle)")
            self.assertIsNone(session.window_rect(mw.TITLE, mw.SIZE), "no main window, no squares yet")
            shot = session.wait_screen_stable(what="the warning to finish drawing")
            label, button = (20, 9, 205, 32), (85, 60, 75, 25)
            points = rs.message_box_ink(shot, box, button)
            self.assertEqual(rs.inside(points, label), [], "the warning's ink outside its label")
            lines = rs.text_lines(points)
            self.assertEqual(len(lines), 2, "the warning's lines: %s" % (lines,))
            margins = [(l - label[0], label[0] + label[2] - r) for _, _, l, r in lines]
            # Each line is centred on its own; the second one with its leading space, which
            # moves its ink right by half a space.
            self.assertLessEqual(abs(margins[0][0] - margins[0][1]), 1, "first line centred: %s" % (margins,))
            self.assertIn(margins[1][0] - margins[1][1], (2, 3, 4), "second line with its space: %s" % (margins,))
            rs.assert_button_at(self, shot, box, button)
            time.sleep(ui.QUIET_PERIOD)
            self.assertIsNone(session.window_rect(mw.TITLE, mw.SIZE), "the show waits for the warning")

            ui.click(session, box[0] + 85 + 37, box[1] + 60 + 12)
            app.left, app.top, _, _ = session.wait_window(mw.TITLE, mw.SIZE, TIMEOUT)
            app.park()
            app.wait_grid([(BLACK, WHITE)] * 256, "the grid once the warning is dismissed")
            rs.close_program(app)

    def label_ink(self, app):
        """Per label of the main window, the points of its own colour that the background
        picture does not have there, relative to the window."""
        _, _, picture = mw.load_bmp(mw.BACKGROUND_BMP)
        app.park()
        shot = app.session.wait_screen_stable(what="the main window to settle")
        colour = {"close mark": mw.ORANGE, "title": mw.ORANGE, "instructions": WHITE, "link": mw.ORANGE}
        return {name: rs.ink(shot, app.left, app.top, LOOK[name],
                             lambda x, y, p, c=colour[name]: p == c and picture(x, y) != c)
                for name in LOOK}

    def test_large_fonts_give_the_large_layout_and_the_wider_notice(self):
        path = self.folder.write("raw.pal", bytes(range(256)) * 3)
        with self.session() as session:
            app = Tintmesh(session).start()
            normal = self.label_ink(app)
            rs.close_program(app)

            rs.set_value(session, rs.FONTS_KEY, "LogPixels", "REG_DWORD", "120")
            app = Tintmesh(session).start()
            large = self.label_ink(app)
            for name in LOOK:
                self.assertGreater(len(large[name]), 10, "the %s is drawn" % name)
                self.assertEqual(rs.inside(normal[name], NORMAL[name]), [], "normal %s inside its place" % name)
                self.assertEqual(rs.inside(large[name], LARGE[name]), [], "large-font %s inside its place" % name)
            # The texts move with their labels: the close mark and the link as a whole, the
            # title not at all, the instructions' first line with the label's corner.
            for name in ("close mark", "link", "title"):
                dx = LARGE[name][0] - NORMAL[name][0]
                dy = LARGE[name][1] - NORMAL[name][1]
                self.assertEqual(sorted(large[name]), sorted((x + dx, y + dy) for x, y in normal[name]),
                                 "the %s moved by (%d, %d)" % (name, dx, dy))
            n, l = rs.bbox(normal["instructions"]), rs.bbox(large["instructions"])
            self.assertEqual((l[0] - n[0], l[1] - n[1]), (-5, -3), "the instructions' corner moved")

            # "Unsupported Palette." in the large-font box: 264 wide, 125 high, centred over
            # the main window; its label 140 wide at 62, the button at 94.
            app.select(5)
            app.import_file(path, over=5)
            box = app.wait_dialog("Tintmesh", not_size=mw.SIZE)
            frame = box[0] - (app.left + (340 - 264) // 2)
            self.assertGreater(frame, 0)
            self.assertEqual(box[2] + 2 * frame, 264, "the box's outer width (mapped %s)" % (box,))
            self.assertEqual(box[3] + frame + (box[1] - (app.top + (409 - 125) // 2)), 125,
                             "the box's outer height, centred (mapped %s)" % (box,))
            shot = session.wait_screen_stable(what="the notice to finish drawing")
            label, button = (62, 17, 140, 15), (94, 60, 75, 25)
            points = rs.message_box_ink(shot, box, button)
            self.assertEqual(rs.inside(points, label), [], "the notice's ink outside its label")
            self.assertGreater(len(points), 100, "the notice shows its text")
            left, _, right, _ = rs.bbox(points)
            margins = (left - label[0], label[0] + label[2] - right)
            self.assertLessEqual(abs(margins[0] - margins[1]), 1, "the text centred: margins %s" % (margins,))
            rs.assert_button_at(self, shot, box, button)
            ui.click(session, box[0] + 94 + 37, box[1] + 60 + 12)
            app.wait_gone("Tintmesh", box)

    def test_folders_are_remembered_from_one_run_to_the_next(self):
        imports, saves, elsewhere = self.new_folder(), self.new_folder(), self.new_folder()
        picked, other = ui.distinct_colours(7), ui.distinct_colours(6)
        imports.write("pick.pal", ui.riff_palette(picked))
        elsewhere.write("other.pal", ui.riff_palette(other))
        with self.session() as session:
            # First run: no keys yet. Import from one folder (the Import Palette window
            # cancelled), save into another.
            self.assertIsNone(rs.reg_values(session, rs.PALETTE_KEY))
            app = Tintmesh(session).start()
            self.assertEqual(rs.reg_values(session, rs.MAKER_KEY),
                             {"Colour for every team": ("REG_SZ", "http://www.brindlewick.com")},
                             "the maker's value, written at the show")
            app.select(3)
            app.import_file(imports.file("pick.pal"), over=3)
            ImportWindow(app).wait_shown(picked).close_by(ImportWindow.CANCEL_POINT)
            self.save_as(app, saves.file("first.pal"))
            rs.dismiss_about(app)
            rs.close_program(app)
            stored = {"LastOpened": ("REG_SZ", PaletteFolder.windows_path(imports.path)),
                      "LastSaved": ("REG_SZ", PaletteFolder.windows_path(saves.path))}
            self.assertEqual(rs.reg_values(session, rs.PALETTE_KEY), stored)

            # Second run: the dialogs open in those folders, so a bare file name is found
            # in the import folder and written into the save folder.
            app = Tintmesh(session).start()
            app.select(3)
            app.command(ui.IMPORT_PALETTE, over=3)
            rs.type_into_file_dialog(app, IMPORT_TITLE, "pick.pal")
            window = ImportWindow(app).wait_shown(picked)
            window.select(0)
            window.close_by(ImportWindow.OK_POINT)
            app.wait_grid([(BLACK, picked[0] if i == 3 else WHITE) for i in range(256)],
                          "square 3 taking the colour of the import folder's pick.pal")
            app.command(ui.SAVE_PALETTE, over=0)
            rs.type_into_file_dialog(app, SAVE_TITLE, "second.pal")
            rs.dismiss_about(app)
            self.assertEqual(rs.files_in(saves.path), ["first.pal", "second.pal"])
            self.assertEqual(saves.file("second.pal").read_bytes(),
                             saved_palette([picked[0] if i == 3 else WHITE for i in range(256)]))

            # An import from a third folder, then a cancelled import dialog: the folder
            # stored stays the first one.
            app.select(4)
            app.import_file(elsewhere.file("other.pal"), over=4)
            ImportWindow(app).wait_shown(other).close_by(ImportWindow.CANCEL_POINT)
            app.command(ui.IMPORT_PALETTE, over=4)
            rs.cancel_file_dialog(app, IMPORT_TITLE)
            rs.close_program(app)
            self.assertEqual(rs.reg_values(session, rs.PALETTE_KEY), stored)

    def test_stored_values_of_the_wrong_type_leave_both_folders_empty(self):
        saves = self.new_folder()
        with self.session() as session:
            rs.set_value(session, rs.PALETTE_KEY, "LastOpened", "REG_DWORD", "5")
            rs.set_value(session, rs.PALETTE_KEY, "LastSaved", "REG_SZ", PaletteFolder.windows_path(saves.path))
            app = Tintmesh(session).start()
            # The failed read of "LastOpened" ends the pair: the save dialog does not
            # open in the stored save folder but where the dialog starts on its own.
            app.command(ui.SAVE_PALETTE, over=0)
            rs.type_into_file_dialog(app, SAVE_TITLE, "plain.pal")
            rs.dismiss_about(app)
            self.assertEqual(rs.files_in(saves.path), [], "nothing saved into the stored folder")
            written = session.tmp / "plain.pal"
            self.assertEqual(written.read_bytes(), saved_palette([WHITE] * 256),
                             "saved in the program's own folder")

            # The program runs on normally, and stores what it used at the close.
            app.select(9)
            app.wait_grid([(MAGENTA if i == 9 else BLACK, WHITE) for i in range(256)], "square 9 selected")
            rs.close_program(app)
            self.assertEqual(rs.reg_values(session, rs.PALETTE_KEY),
                             {"LastOpened": ("REG_DWORD", "0x5"),
                              "LastSaved": ("REG_SZ", PaletteFolder.windows_path(session.tmp))})


if __name__ == "__main__":
    unittest.main()
