"""End-to-end tests of the help window: the real program under Wine, the
window opened from the main window's "here." link, dragged, paged through with
its arrows and closed; and the committed help screenshots checked against what
the program shows today."""

import hashlib
import time
import unittest

import help_pictures as hp
import mainwindow as mw
import palette_ui as ui
from harness import REPO, Session, wait_until
from palette_ui import MAGENTA, Tintmesh

TITLE = "Tintmesh Help"
RESOURCES = REPO / "resources"
TIMEOUT = 30

HERE_POINT = (243 + 19, 82 + 7)       # the "here." link of the main window
FORWARD_POINT = (175 + 9, 102 + 9)
BACK_POINT = (124 + 9, 102 + 9)
CAPTION_POINT = (150, 20)
PICTURE_CORNER = (158, 132)
PAGE1_CORNER = (170, 132)
# Everything a page changes: the text column, the picture and the extra text.
PAGE_AREA = (16, 132, 324 - 16, 401 - 132)
# Two presses on an arrow closer together than the double-click time turn one
# page; a user pausing between pages leaves this much.
PAGE_GAP = 0.7
QUIET_PERIOD = 1.0

# The committed screenshots and what the program shows now may differ this
# much: the share of pixels that differ at all, and the share that differ by
# more than STRONG_DIFFERENCE in a channel. Two runs of the screenshot script
# on the same program gave byte-identical pictures (no pixel differs); the
# limits leave room for small changes in how Wine draws text and menus. A
# window moved by one pixel changes 34-39% of a picture (16-18% strongly), and
# pictures of two different pages differ in 29-33%; the limit of 0.5% is about
# 170 pixels of a 166 x 200 picture, less than one menu caption.
MAX_CHANGED_SHARE = 0.005
STRONG_DIFFERENCE = 64
MAX_STRONGLY_CHANGED_SHARE = 0.002


def page_picture(page):
    """(corner, bitmap) of the picture a page shows, or None for pages 9 and 10."""
    if page > 8:
        return None
    corner = PAGE1_CORNER if page == 1 else PICTURE_CORNER
    return corner, mw.load_bmp(RESOURCES / ("helppage%d.bmp" % page))


def shows_picture(shot, left, top, page):
    corner, (width, height, pixel) = page_picture(page)
    x0, y0 = left + corner[0], top + corner[1]
    return all(shot.pixel(x0 + x, y0 + y) == pixel(x, y) for y in range(height) for x in range(width))


def page_signature(shot, left, top):
    x0, y0, w, h = PAGE_AREA
    return hashlib.sha1(bytes(c for _, _, p in shot.rect_pixels(left + x0, top + y0, w, h) for c in p)).hexdigest()


class HelpWindowTest(unittest.TestCase):

    def open_help(self, session, app):
        ui.click(session, app.left + HERE_POINT[0], app.top + HERE_POINT[1])
        rect = wait_until(lambda: session.window_rect(TITLE, mw.SIZE), TIMEOUT, "the help window", interval=0.1)
        session.move(rect[0] + 20, rect[1] + 395)
        return rect

    def wait_page(self, session, left, top, page, previous):
        """Waits for a page: its picture where it has one, else a page area unlike the last."""
        if page_picture(page):
            shot = session.wait_screen(lambda s: shows_picture(s, left, top, page), TIMEOUT,
                                       "page %d's picture" % page)
        else:
            shot = session.wait_screen(lambda s: page_signature(s, left, top) != previous, TIMEOUT,
                                       "page %d to show" % page)
        return page_signature(session.wait_screen_stable(what="page %d to finish drawing" % page), left, top)

    def turn(self, session, left, top, point):
        session.click(left + point[0], top + point[1])
        session.move(left + 20, top + 395)

    def assert_page_stays(self, session, left, top, signature, what):
        time.sleep(QUIET_PERIOD)
        self.assertEqual(page_signature(session.screenshot(), left, top), signature, what)

    def test_here_opens_the_help_which_pages_through_eleven_pages_and_hides_on_close(self):
        with Session("help-pages") as session:
            app = Tintmesh(session).start()
            left, top, _, _ = self.open_help(session, app)
            self.assertEqual((left, top), (app.left, app.top), "the help window is centred on the screen")
            signature = self.wait_page(session, left, top, 0, None)

            # Dragged by its band.
            session.drag(left + CAPTION_POINT[0], top + CAPTION_POINT[1],
                         left + CAPTION_POINT[0] - 150, top + CAPTION_POINT[1] + 40)
            left, top, _, _ = wait_until(
                lambda: (lambda r: r if r and r[:2] == (left - 150, top + 40) else None)(
                    session.window_rect(TITLE, mw.SIZE)), TIMEOUT, "the help window to move by the drag",
                interval=0.1)
            session.move(left + 20, top + 395)
            self.assertEqual(self.wait_page(session, left, top, 0, None), signature)

            # Back on the first page changes nothing.
            time.sleep(PAGE_GAP)
            self.turn(session, left, top, BACK_POINT)
            self.assert_page_stays(session, left, top, signature, "back on the first page")

            signatures = [signature]
            for page in range(1, 11):
                time.sleep(PAGE_GAP)
                self.turn(session, left, top, FORWARD_POINT)
                signatures.append(self.wait_page(session, left, top, page, signatures[-1]))
            self.assertEqual(len(set(signatures)), 11, "every page looks different")

            time.sleep(PAGE_GAP)
            self.turn(session, left, top, FORWARD_POINT)
            self.assert_page_stays(session, left, top, signatures[10], "forward on the last page")

            for page in range(9, -1, -1):
                time.sleep(PAGE_GAP)
                self.turn(session, left, top, BACK_POINT)
                self.assertEqual(self.wait_page(session, left, top, page, signatures[page + 1]), signatures[page],
                                 "page %d looks as it did on the way forward" % page)

            # Go forward a few pages, then close with the close mark: hidden, the editor runs on.
            for page in (1, 2, 3):
                time.sleep(PAGE_GAP)
                self.turn(session, left, top, FORWARD_POINT)
                self.wait_page(session, left, top, page, signatures[page - 1])
            ui.click(session, left + mw.CLOSE_MARK_POINT[0], top + mw.CLOSE_MARK_POINT[1])
            wait_until(lambda: session.window_rect(TITLE, mw.SIZE) is None, TIMEOUT,
                       "the help window to hide", interval=0.1)
            self.assertIsNone(session.program.poll(), "the program runs on")
            app.park()
            app.click_square(5, MAGENTA)

            # Shown again: the first page.
            left, top, _, _ = self.open_help(session, app)
            self.assertEqual(self.wait_page(session, left, top, 0, None), signatures[0])

    def test_the_committed_help_screenshots_match_the_program(self):
        with Session("help-pictures") as session:
            pictures = hp.take_pictures(session)
        for page in hp.PAGES:
            with self.subTest(page=page):
                changed, strong = hp.compare(pictures[page], RESOURCES / hp.picture_file(page),
                                             STRONG_DIFFERENCE)
                self.assertLessEqual(
                    changed, MAX_CHANGED_SHARE,
                    "%.2f%% of page %d's picture differs from what the program shows; "
                    "run scripts/help-pictures.sh" % (100 * changed, page))
                self.assertLessEqual(
                    strong, MAX_STRONGLY_CHANGED_SHARE,
                    "%.2f%% of page %d's picture differs strongly from what the program shows; "
                    "run scripts/help-pictures.sh" % (100 * strong, page))


if __name__ == "__main__":
    unittest.main()
