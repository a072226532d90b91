"""End-to-end tests of the main window: the real program under Wine, driven
by real pointer and keyboard input, checked by what the screen shows."""

import time
import unittest

import mainwindow as mw
from harness import SCREEN_HEIGHT, SCREEN_WIDTH, Session, read_menu, wait_until

# Separate clicks must be further apart than the program's 200 ms click
# lock-out; this pause is part of how a user clicks, not a wait for a result.
CLICK_GAP = 0.4
# How long to watch for something that must not happen.
QUIET_PERIOD = 0.8
TIMEOUT = 20


class MainWindowTest(unittest.TestCase):

    def session(self):
        """A fresh X display and Wine prefix; a failure inside it saves the screen."""
        return Session(self._testMethodName)

    # -- helpers --------------------------------------------------------------

    def open_main_window(self, session):
        # The pointer starts off the window and then rests on plain
        # background, so that no hint window covers what is checked.
        session.move(0, 0)
        left, top, width, height = session.launch(mw.TITLE, mw.SIZE)
        self.park(session, left, top)
        session.wait_screen(
            lambda shot: all(s == "unselected" for s in mw.grid_states(shot, left, top)),
            TIMEOUT, "the 256 white squares with black outlines")
        return left, top

    def at(self, left, top, offset):
        return left + offset[0], top + offset[1]

    def square_point(self, left, top, index, dx=7, dy=7):
        x, y = mw.square_origin(index)
        return left + x + dx, top + y + dy

    def park(self, session, left, top):
        session.move(*self.at(left, top, mw.PARKING_POINT))

    def wait_selection(self, session, left, top, selected, what):
        selected = set(selected)

        def check(shot):
            states = mw.grid_states(shot, left, top)
            return all(s in ("selected", "unselected") for s in states) and \
                set(mw.selected_squares(states)) == selected

        try:
            return session.wait_screen(check, TIMEOUT, what)
        except AssertionError as err:
            states = mw.grid_states(session.last_shot, left, top)
            raise AssertionError("%s; squares: %s" % (err, mw.describe_grid(states, selected)))

    def assert_selection_stays(self, session, left, top, selected, what):
        time.sleep(QUIET_PERIOD)
        selected = set(selected)
        states = mw.grid_states(session.screenshot(), left, top)
        expected = ["selected" if i in selected else "unselected" for i in range(256)]
        if states != expected:
            self.fail("%s: %s" % (what, mw.describe_grid(states, selected)))

    def click_square(self, session, left, top, index, dx=7, dy=7, shift=False):
        x, y = self.square_point(left, top, index, dx, dy)
        if shift:
            session.shift_click(x, y)
        else:
            session.click(x, y)
        self.park(session, left, top)

    def open_context_menu(self, session, left, top, index):
        """Right-clicks square `index`; returns the menu's rect, entries and the pointer."""
        before = session.visible_windows()
        x, y = self.square_point(left, top, index)
        session.right_click(x, y)
        rect, shot = session.wait_popup(before, TIMEOUT, "the context menu")
        entries = read_menu(shot, *rect)
        return rect, entries, (x, y)

    def choose(self, session, rect, entry):
        session.click(rect[0] + 24, entry.centre_y)
        session.wait_popup_closed(rect, TIMEOUT)

    # -- tests ----------------------------------------------------------------

    def test_window_opens_centred_frameless_with_grid_and_frame(self):
        with self.session() as session:
            left, top = self.open_main_window(session)
            self.assertEqual((left, top), ((SCREEN_WIDTH - 340) // 2, (SCREEN_HEIGHT - 409) // 2),
                             "the window is centred on the screen")
            shot = session.screenshot()

            # The squares sit at their offsets from the window's own top-left
            # corner: there is no title bar or border pushing the client area in.
            self.assertEqual(mw.grid_states(shot, left, top), ["unselected"] * 256)
            for rect in mw.FRAME_RECTS:
                miss = shot.rect_mismatch(left + rect[0], top + rect[1], rect[2], rect[3], mw.CYAN)
                self.assertIsNone(miss, "cyan frame part %s: pixel %s" % (rect, miss))

            # The edges of the window show the program's own background picture.
            width, height, picture = mw.load_bmp(mw.BACKGROUND_BMP)
            self.assertEqual((width, height), mw.SIZE)
            for sl, st, sw, sh in mw.BACKGROUND_STRIPS:
                for x in range(sl, sl + sw):
                    for y in range(st, st + sh):
                        if shot.pixel(left + x, top + y) != picture(x, y):
                            self.fail("at window offset (%d, %d) the screen shows %s, the background "
                                      "picture %s" % (x, y, shot.pixel(left + x, top + y), picture(x, y)))

            # The drawn chrome: the grey separator, the orange title and close mark.
            self.assertIsNone(shot.rect_mismatch(left + 16, top + 41, 286, 1, mw.GREY), "separator line")
            for name, (rl, rt, rw, rh) in (("close mark", mw.CLOSE_MARK_RECT), ("title", mw.TITLE_RECT)):
                orange = [p for _, _, p in shot.rect_pixels(left + rl, top + rt, rw, rh) if p == mw.ORANGE]
                self.assertGreater(len(orange), 10, "the %s is drawn in orange" % name)

    def test_clicks_toggle_squares_and_shift_click_fills_the_range(self):
        with self.session() as session:
            left, top = self.open_main_window(session)

            self.click_square(session, left, top, 0)
            self.wait_selection(session, left, top, {0}, "square 0 selected by a click")
            self.assert_selection_stays(session, left, top, [0], "one click toggles once")

            self.click_square(session, left, top, 0)
            self.wait_selection(session, left, top, set(), "square 0 unselected by a second click")

            # The hit rectangle is the inside of the square: its first pixel row
            # and column belong to no square.
            time.sleep(CLICK_GAP)
            self.click_square(session, left, top, 100, dx=0, dy=7)
            self.click_square(session, left, top, 100, dx=7, dy=0)
            self.assert_selection_stays(session, left, top, [], "a click on a square's edge")

            # The innermost pixels at both ends of the hit rectangle do hit.
            self.click_square(session, left, top, 35, dx=1, dy=1)
            self.wait_selection(session, left, top, {35}, "square 35 selected")
            time.sleep(CLICK_GAP)
            self.click_square(session, left, top, 170, dx=14, dy=14, shift=True)
            self.wait_selection(session, left, top, set(range(35, 171)),
                                "Shift-click on square 170 filling 35 to 170")
            self.assert_selection_stays(session, left, top, list(range(35, 171)), "after the range")

    def test_context_menu_offers_what_the_selection_allows(self):
        with self.session() as session:
            left, top = self.open_main_window(session)

            rect, entries, (x, y) = self.open_context_menu(session, left, top, 37)
            self.assertEqual(rect[:2], (x + 1, y + 1), "the menu opens at pointer + (1, 1)")
            self.assertEqual([e.summary() for e in entries], mw.MENU_NOTHING_SELECTED,
                             "menu with no square selected: %s" % entries)

            # Escape, with the pointer over the menu, closes it and changes nothing.
            session.move(rect[0] + rect[2] // 2, rect[1] + rect[3] // 2)
            session.key("Escape")
            session.wait_popup_closed(rect, TIMEOUT)
            self.park(session, left, top)
            self.assert_selection_stays(session, left, top, [], "after Escape")

            self.click_square(session, left, top, 37)
            self.wait_selection(session, left, top, {37}, "square 37 selected")
            time.sleep(CLICK_GAP)
            rect, entries, (x, y) = self.open_context_menu(session, left, top, 250)
            self.assertEqual(rect[:2], (x + 1, y + 1), "the menu opens at pointer + (1, 1)")
            self.assertEqual([e.summary() for e in entries], mw.MENU_SOMETHING_SELECTED,
                             "menu with a square selected: %s" % entries)

            self.choose(session, rect, entries[mw.SELECT_ALL])
            self.park(session, left, top)
            self.wait_selection(session, left, top, set(range(256)), "Select All selecting every square")

            time.sleep(CLICK_GAP)
            rect, entries, _ = self.open_context_menu(session, left, top, 5)
            self.assertEqual([e.summary() for e in entries], mw.MENU_SOMETHING_SELECTED)
            self.choose(session, rect, entries[mw.CLEAR_ALL])
            self.park(session, left, top)
            self.wait_selection(session, left, top, set(), "Clear All Selections unselecting every square")

    def test_caption_band_drags_the_window(self):
        with self.session() as session:
            left, top = self.open_main_window(session)

            # Just below the band a press does not move the window.
            x, y = self.at(left, top, (mw.CAPTION_POINT[0], 40))
            session.drag(x, y, x - 100, y + 60)
            time.sleep(QUIET_PERIOD)
            self.assertEqual(session.window_rect(mw.TITLE, mw.SIZE)[:2], (left, top),
                             "a drag from y = top + 40 leaves the window in place")

            x, y = self.at(left, top, mw.CAPTION_POINT)
            session.drag(x, y, x - 100, y + 60)
            moved = (left - 100, top + 60)
            wait_until(lambda: session.window_rect(mw.TITLE, mw.SIZE)[:2] == moved, TIMEOUT,
                       "the window to move by the drag, to %s" % (moved,))
            left, top = moved
            self.park(session, left, top)
            session.wait_screen(
                lambda shot: all(s == "unselected" for s in mw.grid_states(shot, left, top)),
                TIMEOUT, "the grid drawn at the window's new place")

            # The squares are found at the window's new place.
            time.sleep(CLICK_GAP)
            self.click_square(session, left, top, 255)
            self.wait_selection(session, left, top, {255}, "square 255 selected after the move")

    def test_close_mark_ends_the_program(self):
        with self.session() as session:
            left, top = self.open_main_window(session)
            session.click(*self.at(left, top, mw.CLOSE_MARK_POINT))
            self.assertEqual(session.wait_program_exit(TIMEOUT), 0, "exit code")
            self.assertIsNone(session.window_rect(mw.TITLE, mw.SIZE), "the window is gone")

    def test_icon_opens_its_exit_menu_below_it(self):
        with self.session() as session:
            left, top = self.open_main_window(session)
            before = session.visible_windows()
            session.click(*self.at(left, top, mw.ICON_POINT))
            rect, shot = session.wait_popup(before, TIMEOUT, "the icon menu")
            self.assertEqual(rect[:2], self.at(left, top, mw.ICON_MENU_CORNER),
                             "the icon menu's top-left corner")
            entries = read_menu(shot, *rect)
            self.assertEqual([e.summary() for e in entries], ["on"], "one enabled item: %s" % entries)

            # Its one item, "Exit", ends the program.
            self.choose(session, rect, entries[0])
            self.assertEqual(session.wait_program_exit(TIMEOUT), 0, "exit code")


if __name__ == "__main__":
    unittest.main()
