"""End-to-end test of the About box under Wine: the box a save ends with, its
picture, texts and link, and the link starting a stand-in web browser found
through the ".htm" file association, or one of the two messages.

The stand-in browser (tests/e2e/standin_browser.c, built as
build/win64/standin_browser.exe) writes the folder it was started in and its
arguments into "arguments.txt" beside itself. The test puts it in a folder
whose name has a space and that is on no search path, and registers it in
the session's prefix with regedit.
"""

import shutil
import time
import unittest
from pathlib import Path

import mainwindow as mw
import palette_ui as ui
from harness import BUILD_DIR, Session, wait_until
from palette_ui import PaletteFolder, Tintmesh

STANDIN_BROWSER = BUILD_DIR / "standin_browser.exe"
ADDRESS = "http://www.brindlewick.com/"
CLASS = "TintmeshStandInPage"

TITLE = "About Tintmesh"
# Outer 288 x 249, centred over the main window: (340 - 288) / 2 = 26 right of
# its left edge and (409 - 249) / 2 = 80 below its top.
OFFSET = (26, 80)
SIZE = (288, 249)

# Places in the box's client area (the mapped X window under Wine), normal layout.
FRAME_RECT = (26, 55, 36, 36)
EMBLEM_RECT = (28, 57, 32, 32)
WHITE_LABELS = [(73, 57, 200, 18), (103, 81, 78, 18), (82, 122, 119, 13)]
LINK_RECT = (32, 150, 225, 15)
LINK_POINT = (LINK_RECT[0] + 40, LINK_RECT[1] + 7)   # on the link's text
BANNER_POINT = (140, 10)                             # the picture, away from every control
OK_BUTTON_RECT = (110, 183, 65, 30)

# The browser messages: outer 235 x 125, centred over the About box:
# (288 - 235) / 2 = 26 and (249 - 125) / 2 = 62 from its outer corner.
MESSAGE_OFFSET = (26, 62)
MESSAGE_SIZE = (235, 125)
MESSAGE_LABEL = (30, 17, 175, 15)
MESSAGE_BUTTON = (80, 60, 75, 25)
DIALOG_FACE = (240, 240, 240)

ORANGE = mw.ORANGE
GREY = mw.GREY
WHITE = mw.WHITE
BLACK = mw.BLACK
TIMEOUT = 30          # Wine is slow under load; every wait is on a condition
QUIET_PERIOD = 1.5
# Two clicks on the link closer together than the system's double-click time
# (500 ms) are a double click, which is not a click; a user's separate clicks
# are further apart. A pause, not a wait for a result.
CLICK_APART = 0.8


def reg_string(text):
    """A REGEDIT4 string value: backslashes and quotes escaped."""
    return '"%s"' % text.replace("\\", "\\\\").replace('"', '\\"')


class AboutBoxTest(unittest.TestCase):

    def setUp(self):
        if not STANDIN_BROWSER.exists():
            self.fail("%s does not exist (build it with: cmake --preset win64 && cmake --build build/win64)"
                      % STANDIN_BROWSER)
        self.folder = PaletteFolder()
        self.addCleanup(self.folder.remove)
        # A folder with a space in its name, on no search path.
        self.browser_dir = self.folder.path / "Web Browser"
        self.browser_dir.mkdir()
        shutil.copyfile(STANDIN_BROWSER, self.browser_dir / "browser.exe")
        self.record = self.browser_dir / "arguments.txt"

    # -- helpers --------------------------------------------------------------

    def regedit(self, session, lines):
        """Imports REGEDIT4 lines into the session's prefix and waits for regedit to end."""
        path = self.folder.write("change.reg", ("\r\n".join(["REGEDIT4", ""] + lines + [""])).encode("ascii"))
        proc = session.start_wine("regedit", "/S", PaletteFolder.windows_path(path))
        code = proc.wait(timeout=120)
        self.assertEqual(code, 0, "regedit /S %s" % path)

    def register(self, session, program):
        """Makes ".htm" name our class and the class open pages with `program`
        in the browser folder, quoted, with the usual arguments."""
        command = '"%s" -url "%%1"' % PaletteFolder.windows_path(self.browser_dir / program)
        self.regedit(session, [
            "[HKEY_CLASSES_ROOT\\.htm]", "@=%s" % reg_string(CLASS), "",
            "[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]" % CLASS, "@=%s" % reg_string(command), "",
        ])

    def client(self, about, offset):
        return about[0] + offset[0], about[1] + offset[1]

    def count(self, shot, about, rect, colour):
        left, top = self.client(about, rect[:2])
        return sum(1 for _, _, p in shot.rect_pixels(left, top, rect[2], rect[3]) if p == colour)

    def link_shows(self, shot, about, colour):
        """The link is drawn in `colour` only (no trace of the other press colour)."""
        other = GREY if colour == ORANGE else ORANGE
        return self.count(shot, about, LINK_RECT, colour) > 30 and self.count(shot, about, LINK_RECT, other) == 0

    def wait_link(self, session, about, colour, what):
        session.wait_screen(lambda shot: self.link_shows(shot, about, colour), TIMEOUT, what)

    def message_box(self, app, about):
        """Waits for a browser message centred over the About box; returns its mapped
        rect and the ink of its label."""
        box = app.wait_dialog("Tintmesh", not_size=mw.SIZE, timeout=TIMEOUT)
        outer_about = ui.outer_rect(about)
        self.assertEqual(ui.outer_rect(box), (outer_about[0] + MESSAGE_OFFSET[0], outer_about[1] + MESSAGE_OFFSET[1])
                         + MESSAGE_SIZE, "the message box (outer rectangle) centred over the About box")
        shot = app.session.wait_screen_stable(what="the message box to finish drawing")
        l, t, w, h = MESSAGE_LABEL
        ink = frozenset((x - box[0], y - box[1]) for x, y, p in shot.rect_pixels(box[0] + l, box[1] + t, w, h)
                        if p != DIALOG_FACE)
        self.assertGreater(len(ink), 60, "the message's label shows its text")
        # The About box stays under it (the message covers the link).
        self.assertEqual(app.session.window_rect(TITLE), about, "the About box stays open under the message")
        return box, ink

    def click_link(self, session, about):
        time.sleep(CLICK_APART)
        ui.click(session, *self.client(about, LINK_POINT))

    def close_message(self, app, box):
        bl, bt, bw, bh = MESSAGE_BUTTON
        ui.click(app.session, box[0] + bl + bw // 2, box[1] + bt + bh // 2)
        app.wait_gone("Tintmesh", box, timeout=TIMEOUT)

    # -- the test ---------------------------------------------------------------

    def test_save_shows_the_about_box_and_its_link_starts_the_browser_or_says_why_not(self):
        width, height, background = mw.load_bmp(mw.REPO / "resources" / "about.bmp")
        self.assertEqual((width, height), (284, 224))
        _, _, emblem = mw.load_bmp(mw.REPO / "resources" / "emblem.bmp")

        with Session(self._testMethodName) as session:
            self.register(session, "browser.exe")
            app = Tintmesh(session).start()
            app.command(ui.SAVE_PALETTE, over=0)
            app.choose_file("Save Palette As...", self.folder.file("saved.pal"))

            # The box, centred over the main window, with its picture, frame, emblem and texts.
            about = app.wait_dialog(TITLE, timeout=TIMEOUT)
            self.assertEqual(ui.outer_rect(about), app.at(OFFSET) + SIZE,
                             "the About box (outer rectangle) centred over the main window")
            ui.move(session, *self.client(about, BANNER_POINT))
            shot = session.wait_screen_stable(what="the About box to finish drawing")
            cw, ch = about[2], about[3]
            wrong = [(x, y) for y in range(0, 42) for x in range(cw)
                     if shot.pixel(about[0] + x, about[1] + y) != background(x, y)]
            wrong += [(x, y) for y in range(190, ch) for x in list(range(0, 100)) + list(range(190, cw))
                      if shot.pixel(about[0] + x, about[1] + y) != background(x, y)]
            self.assertEqual(wrong[:5], [], "the banner and the body show the picture")
            wrong = [(x, y) for y in range(32) for x in range(32)
                     if shot.pixel(about[0] + EMBLEM_RECT[0] + x, about[1] + EMBLEM_RECT[1] + y) != emblem(x, y)]
            self.assertEqual(wrong[:5], [], "the emblem")
            fl, ft, fw, fh = FRAME_RECT
            for x, y in ((fl, ft), (fl + fw - 1, ft + fh - 1), (fl + fw // 2, ft), (fl, ft + fh // 2)):
                self.assertEqual(shot.pixel(*self.client(about, (x, y))), BLACK, "the frame's outline at %d,%d" % (x, y))
            for x, y in ((fl + 1, ft + 1), (fl + fw - 2, ft + fh - 2)):
                self.assertEqual(shot.pixel(*self.client(about, (x, y))), WHITE, "the frame's inside at %d,%d" % (x, y))
            for rect in WHITE_LABELS:
                self.assertGreater(self.count(shot, about, rect, WHITE), 20, "white text in %s" % (rect,))
            self.assertTrue(self.link_shows(shot, about, ORANGE), "the link in orange")

            # A press on the link turns it grey; released off the link it turns orange
            # again and starts nothing.
            ui.move(session, *self.client(about, LINK_POINT))
            session.xdotool("mousedown", 1)
            try:
                self.wait_link(session, about, GREY, "the pressed link to turn grey")
                ui.move(session, *self.client(about, BANNER_POINT))
            finally:
                session.xdotool("mouseup", 1)
            self.wait_link(session, about, ORANGE, "the link to turn orange on the release")
            time.sleep(QUIET_PERIOD)
            self.assertFalse(self.record.exists(), "a press released off the link started the browser")

            # A click starts the browser in its own folder with the address and its final slash.
            self.click_link(session, about)
            wait_until(self.record.exists, 60, "the stand-in browser to record its arguments", interval=0.2)
            lines = self.record.read_text().splitlines()
            self.assertEqual(lines[1:], [ADDRESS], "the browser's arguments")
            self.assertEqual(lines[0].rstrip("\\").lower(), PaletteFolder.windows_path(self.browser_dir).lower(),
                             "the browser starts in its own folder")
            self.wait_link(session, about, ORANGE, "the link to be orange after the launch")
            self.assertEqual(session.window_rect(TITLE), about, "the About box stays open after a launch")
            self.record.unlink()

            # A command whose program is not there: "Couldn't execute web browser.".
            self.register(session, "missing.exe")
            self.click_link(session, about)
            box, not_started = self.message_box(app, about)
            self.close_message(app, box)
            self.wait_link(session, about, ORANGE, "the link to turn orange after the message")

            # No association left: "Could not locate web browser.", a different text.
            self.regedit(session, ["[-HKEY_CLASSES_ROOT\\.htm]", "", "[-HKEY_CLASSES_ROOT\\.html]", ""])
            self.click_link(session, about)
            box, not_found = self.message_box(app, about)
            self.assertNotEqual(not_found, not_started, "the two messages show different texts")
            self.close_message(app, box)
            self.wait_link(session, about, ORANGE, "the link to turn orange after the message")
            self.assertEqual(session.window_rect(TITLE), about, "the About box stays open after the messages")
            self.assertFalse(self.record.exists(), "the browser was started again")

            # Escape does not close the box; Enter does, through its OK button. (A click on
            # the picture first gives the box the keyboard back from the closed message.)
            ui.click(session, *self.client(about, BANNER_POINT))
            session.key("Escape")
            time.sleep(QUIET_PERIOD)
            self.assertEqual(session.window_rect(TITLE), about, "Escape leaves the About box open")
            session.key("Return")
            app.wait_gone(TITLE, about, timeout=TIMEOUT)
            app.park()
            app.wait_grid([(BLACK, WHITE)] * 256, "the main window back after the About box")


if __name__ == "__main__":
    unittest.main()
