"""End-to-end tests of the main window: the real program under Wine, driven
by real pointer and keyboard input, checked by what the screen shows."""

import contextlib
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
        left, top, _, _ = session.launch(mw.TITLE, mw.SIZE)
        self.park(session, left, top)
        self.wait_selection(session, left, top, set(), "the 256 white squares with black outlines")
        return left, top

    def at(self, left, top, offset):
        return left + offset[0], top + offset[1]

    def square_point(self, left, top, index, dx=7, dy=7):
        x, y = mw.square_origin(index)
        return left + x + dx, top + y + dy

    def park(self, session, left, top):
        session.move(*self.at(left, top, mw.PARKING_POINT))

    def wait_window_at(self, session, corner, what):
        return wait_until(lambda: (session.window_rect(mw.TITLE, mw.SIZE) or (None, None))[:2] == corner,
                          TIMEOUT, what, interval=0.1)

    def wait_selection(self, session, left, top, selected, what):
        """Waits until exactly the squares in `selected` show magenta outlines
        and all others black ones (all of them white inside)."""
        expected = ["selected" if i in selected else "unselected" for i in range(256)]
        try:
            return session.wait_screen(lambda shot: mw.grid_states(shot, left, top) == expected,
                                       TIMEOUT, what)
        except AssertionError as err:
            states = mw.grid_states(session.last_shot, left, top)
            raise AssertionError("%s; squares: %s" % (err, mw.describe_grid(states, set(selected))))

    def assert_selection_stays(self, session, left, top, selected, what):
        time.sleep(QUIET_PERIOD)
        selected = set(selected)
        states = mw.grid_states(session.screenshot(), left, top)
        expected = ["selected" if i in selected else "unselected" for i in range(256)]
        if states != expected:
            self.fail("%s: %s" % (what, mw.describe_grid(states, selected)))

    def click_square(self, session, left, top, index, expect, dx=7, dy=7, shift=False, still=False):
        """Clicks square `index` at offset (dx, dy) and keeps the pointer (and
        Shift) there until the square shows `expect` ("selected" or
        "unselected"); with `still`, until it has shown `expect` for a quiet
        period. Then the pointer goes back to its parking place."""
        x, y = self.square_point(left, top, index, dx, dy)
        session.move(x, y)
        with session.holding("shift") if shift else contextlib.nullcontext():
            session.xdotool("click", 1)
            if still:
                time.sleep(QUIET_PERIOD)
            session.wait_screen(lambda shot: mw.square_state(shot, left, top, index) == expect,
                                TIMEOUT, "square %d to show %s after a click at offset (%d, %d)"
                                % (index, expect, dx, dy))
        self.park(session, left, top)

    def open_context_menu(self, session, left, top, index):
        """Right-clicks square `index`; returns the menu's rect, entries and the pointer."""
        before = session.visible_windows()
        x, y = self.square_point(left, top, index)
        session.right_click(x, y)
        rect, shot = session.wait_popup(before, TIMEOUT, "the context menu")
        return rect, read_menu(shot, *rect), (x, y)

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
            self.assertIsNone(shot.rect_mismatch(left + mw.SEPARATOR_RECT[0], top + mw.SEPARATOR_RECT[1],
                                                 mw.SEPARATOR_RECT[2], mw.SEPARATOR_RECT[3], mw.GREY),
                              "separator line")
            for name, (rl, rt, rw, rh) in (("close mark", mw.CLOSE_MARK_RECT), ("title", mw.TITLE_RECT)):
                orange = [p for _, _, p in shot.rect_pixels(left + rl, top + rt, rw, rh) if p == mw.ORANGE]
                self.assertGreater(len(orange), 10, "the %s is drawn in orange" % name)

    def test_clicks_toggle_squares_and_shift_click_fills_the_range(self):
        with self.session() as session:
            left, top = self.open_main_window(session)

            self.click_square(session, left, top, 0, "selected")
            self.wait_selection(session, left, top, {0}, "square 0 alone selected by a click")
            self.assert_selection_stays(session, left, top, {0}, "one click toggles once")

            self.click_square(session, left, top, 0, "unselected")
            self.wait_selection(session, left, top, set(), "square 0 unselected by a second click")

            # The hit rectangle is the inside of the square: its first pixel
            # column and row belong to no square.
            time.sleep(CLICK_GAP)
            self.click_square(session, left, top, 100, "unselected", dx=0, dy=7, still=True)
            self.click_square(session, left, top, 100, "unselected", dx=7, dy=0, still=True)
            self.assert_selection_stays(session, left, top, set(), "clicks on a square's edge")

            # The innermost pixels at both ends of the hit rectangle do hit;
            # a Shift-click selects everything from the last clicked square on.
            self.click_square(session, left, top, 35, "selected", dx=1, dy=1)
            time.sleep(CLICK_GAP)
            self.click_square(session, left, top, 170, "selected", dx=14, dy=14, shift=True)
            self.wait_selection(session, left, top, set(range(35, 171)),
                                "Shift-click on square 170 filling 35 to 170")
            self.assert_selection_stays(session, left, top, range(35, 171), "after the range")

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
            self.assert_selection_stays(session, left, top, set(), "after Escape")

            self.click_square(session, left, top, 37, "selected")
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
            self.assertEqual([e.summary() for e in entries], mw.MENU_SOMETHING_SELECTED,
                             "menu with every square selected: %s" % entries)
            self.choose(session, rect, entries[mw.CLEAR_ALL])
            self.park(session, left, top)
            self.wait_selection(session, left, top, set(), "Clear All Selections unselecting every square")

    def test_caption_band_drags_the_window(self):
        with self.session() as session:
            left, top = self.open_main_window(session)

            # Just below the band a press does not move the window. (The
            # drag paths stay on their side of the band's edge all the way:
            # the program looks at where the pointer is when it gets to the
            # press.)
            x, y = self.at(left, top, (mw.CAPTION_POINT[0], 40))
            session.drag(x, y, x - 100, y + 60)
            time.sleep(QUIET_PERIOD)
            self.assertEqual(session.window_rect(mw.TITLE, mw.SIZE), (left, top) + mw.SIZE,
                             "a drag from y = top + 40 leaves the window in place")

            x, y = self.at(left, top, mw.CAPTION_POINT)
            session.drag(x, y, x - 100, y + 15)
            moved = (left - 100, top + 15)
            self.wait_window_at(session, moved, "the window to move by the drag, to %s" % (moved,))
            left, top = moved
            self.park(session, left, top)
            self.wait_selection(session, left, top, set(), "the grid drawn at the window's new place")

            # The squares and the band go with the window.
            time.sleep(CLICK_GAP)
            self.click_square(session, left, top, 255, "selected")
            self.wait_selection(session, left, top, {255}, "square 255 selected after the move")
            x, y = self.at(left, top, mw.CAPTION_POINT)
            session.drag(x, y, x + 100, y - 15)
            moved = (left + 100, top - 15)
            self.wait_window_at(session, moved, "a second drag to move the window back, to %s" % (moved,))

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

    def test_double_click_on_the_icon_ends_the_program(self):
        # The first click opens the icon menu, which is modal; the second press of the
        # double click lands while it is open and still closes the window.
        with self.session() as session:
            left, top = self.open_main_window(session)
            x, y = self.at(left, top, mw.ICON_POINT)
            session.move(x, y)
            session.xdotool("click", "--repeat", "2", "--delay", "120", "1")
            self.assertEqual(session.wait_program_exit(TIMEOUT), 0, "exit code")


if __name__ == "__main__":
    unittest.main()
