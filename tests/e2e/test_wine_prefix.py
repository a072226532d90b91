"""The Wine prefix the tests run in draws Arial as Liberation Sans.

The program lays its text out in fixed pixel boxes made for Arial's metrics;
a prefix that silently falls back to another face would make every text of
the program look different from what the user gets."""

import unittest

from harness import Session

WINDOW = (400, 80)
ARIAL_ROWS = range(4, 40)        # the warm-up program's Arial line
LIBERATION_ROWS = range(40, 76)  # the same line in Liberation Sans


class WinePrefixTest(unittest.TestCase):

    def test_arial_is_drawn_as_liberation_sans(self):
        with Session(self._testMethodName) as session:
            session.start_wine(session.warmup_path, "fonts")
            left, top, _, _ = session.wait_window("Wine warm-up fonts", WINDOW)
            shot = session.wait_screen_stable()

            def line(rows):
                return [shot.row(top + y, left, left + WINDOW[0]) for y in rows]

            arial, liberation = line(ARIAL_ROWS), line(LIBERATION_ROWS)
            ink = sum(1 for row in liberation for p in row if p != (255, 255, 255))
            self.assertGreater(ink, 200, "the sample text was drawn")
            self.assertEqual(arial, liberation, "Arial text is drawn exactly like Liberation Sans")


if __name__ == "__main__":
    unittest.main()
