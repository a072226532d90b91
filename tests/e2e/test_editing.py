"""End-to-end tests of the editing commands: each one chosen from the real
context menu (Cut, Copy and Paste from its Edit submenu), the colour
dialog being Wine's own, checked by what the squares show on the screen."""

import unittest

import palette_ui as ui
from harness import Session
from palette_ui import AREAS, BLACK, MAGENTA, RED, WHITE, PaletteFolder, Tintmesh

# Menus as read from the screen ("on", "off", "-", ">" a submenu).
MENU_DUPLICATE_MARKED = ["off", "off", "-", "off", "off", "-", "off >", "off", "on", "on"]


def cut(palette, selected):
    """The palette after Cut: within each area the colours left keep their
    order and close up; the area's last places become black."""
    after = list(palette)
    for area in AREAS:
        kept = [palette[i] for i in area if i not in selected]
        for index, colour in zip(area, kept + [BLACK] * (len(area) - len(kept))):
            after[index] = colour
    return after


def sort(palette, selected):
    """The palette after Sort: within each area the selected places hold
    their colours by falling red, then falling green."""
    after = list(palette)
    for area in AREAS:
        places = [i for i in area if i in selected]
        ordered = sorted((palette[i] for i in places), key=lambda c: (c[0], c[1]), reverse=True)
        for index, colour in zip(places, ordered):
            after[index] = colour
    return after


def sorting_palette():
    """256 different colours in 16 groups of equal red, each group with
    green rising and blue falling: a sort that weighed blue, or left green
    out, would order them differently."""
    return [(8 + 16 * (i * 5 % 16), i, 255 - i) for i in range(256)]


def unselected(palette):
    return [(BLACK, c) for c in palette]


class EditingTest(unittest.TestCase):

    def session(self):
        return Session(self._testMethodName)

    def test_cut_copy_paste_and_sort_rearrange_the_squares(self):
        folder = PaletteFolder()
        self.addCleanup(folder.remove)
        palette = sorting_palette()
        with self.session() as session:
            app = Tintmesh(session).start()
            app.load_palette(folder, palette)

            # Paste before anything was cut or copied paints black.
            app.select(20)
            app.edit_command(ui.PASTE, over=20)
            palette[20] = BLACK
            app.wait_grid(unselected(palette), "Paste before any Copy turning square 20 black")

            # Cut of squares 0 and 2 and of 165: each area closes up on its
            # own; square 159 takes the colour of 225, across the team rows.
            app.select(0, 2, 165)
            app.edit_command(ui.CUT, over=2)
            before = palette
            palette = cut(palette, {0, 2, 165})
            self.assertEqual((palette[159], palette[254], palette[255], palette[191]),
                             (before[225], BLACK, BLACK, BLACK))
            app.wait_grid(unselected(palette), "Cut of squares 0, 2 and 165")

            # Copy of 3, 7 and 200, pasted into 10 to 13.
            app.select(3, 7, 200)
            app.edit_command(ui.COPY, over=7)
            app.wait_grid(unselected(palette), "Copy leaving the colours and unselecting")
            app.select((10, 13))
            app.edit_command(ui.PASTE, over=11)
            palette[10:14] = [palette[3], palette[7], palette[200], BLACK]
            app.wait_grid(unselected(palette), "Paste of 3, 7 and 200 into 10 to 13, 13 black")

            # Paste keeps the clipboard: a second Paste into one square gives
            # it the first copied colour again.
            app.select(30)
            app.edit_command(ui.PASTE, over=30)
            palette[30] = palette[10]
            app.wait_grid(unselected(palette), "a second Paste reusing the copied colours")

            # Sort of everything but squares 5, 170 and 230: each area by
            # falling red then green, the three unselected squares keep theirs.
            app.command(ui.SELECT_ALL, over=40)
            app.wait_grid([(MAGENTA, c) for c in palette], "Select All selecting every square")
            app.click_square(5, BLACK)
            app.click_square(170, BLACK)
            app.click_square(230, BLACK)
            app.command(ui.SORT, over=40)
            palette = sort(palette, set(range(256)) - {5, 170, 230})
            app.wait_grid(unselected(palette), "Sort of each area, every square unselected afterwards")

    def test_choose_color_paints_the_selection_with_the_dialogs_colour(self):
        with self.session() as session:
            app = Tintmesh(session).start()
            chosen = {0, 17, 200, 201, 202}
            app.select(0, 17, (200, 202))
            selection = [(MAGENTA if i in chosen else BLACK, WHITE) for i in range(256)]
            app.wait_grid(selection, "squares 0, 17 and 200 to 202 selected")

            # Cancel changes nothing.
            dialog = app.choose_color(over=17)
            dialog.close_by(dialog.CANCEL_POINT)
            app.assert_grid_stays(selection, "after Cancel in the colour dialog")

            # A typed colour paints every selected square and unselects it.
            first = (12, 34, 56)
            dialog = app.choose_color(over=17)
            dialog.type_rgb(first)
            dialog.close_by(dialog.OK_POINT)
            palette = [first if i in chosen else WHITE for i in range(256)]
            app.wait_grid(unselected(palette), "the selected squares painted %s" % (first,))

            # The dialog opens on the colour confirmed last; a basic colour
            # clicked in it paints square 5.
            app.select(5)
            dialog = app.choose_color(over=5)
            dialog.define_custom_colors()
            self.assertEqual(dialog.preview(), first, "the dialog opens on the last confirmed colour")
            second = dialog.pick_basic(0, 5)
            self.assertNotIn(second, (first, WHITE, BLACK))
            dialog.close_by(dialog.OK_POINT)
            palette[5] = second
            app.wait_grid(unselected(palette), "square 5 painted the basic colour %s" % (second,))

    def test_duplicate_display_mode_marks_repeated_colours(self):
        with self.session() as session:
            app = Tintmesh(session).start()

            # While the mode is on, every pass of the pointer over a square
            # marks; so menus are opened over square 111, at the grid's right
            # edge, where their items lie beside the grid, not over squares.
            over = 111

            # On: every square of the fresh all-white grid has a colour that
            # occurs elsewhere.
            show_width = app.command(ui.DUPLICATES, over=over).caption_width(ui.DUPLICATES)
            app.wait_grid([(MAGENTA, WHITE)] * 256, "every square marked a duplicate")

            # Resting the pointer on a square turns every square of its colour red.
            ui.move(session, *app.square_point(over))
            session.wait_screen(lambda shot: ui.square_look(shot, app.left, app.top, over)[0] == RED,
                                ui.TIMEOUT, "the hovered square to turn red")
            app.park()
            app.wait_grid([(RED, WHITE)] * 256, "every white square red while one is hovered")

            # Over a red square the menu offers only Choose Color and the
            # mode's item, now "Don't Show Duplicates"; Choose Color paints
            # that square alone, the others stay red for now.
            colour = (200, 10, 90)
            dialog = app.choose_color(over=over)
            menu = app.last_menu
            self.assertEqual(menu.summary(), MENU_DUPLICATE_MARKED, "menu over a red square: %s" % menu.entries)
            self.assertGreater(menu.caption_width(ui.DUPLICATES) - show_width, 15,
                               "the mode's item reads \"Don't Show Duplicates\"")
            dialog.type_rgb(colour)
            dialog.close_by()
            looks = [(RED, WHITE)] * 256
            looks[over] = (BLACK, colour)
            app.wait_grid(looks, "square %d painted, the rest still red" % over)

            # Hovering a square of another colour turns the stale red marks
            # back to magenta; its once-only colour marks nothing.
            ui.move(session, *app.square_point(over))
            session.wait_screen(lambda shot: ui.square_look(shot, app.left, app.top, 0)[0] == MAGENTA,
                                ui.TIMEOUT, "the red marks to turn magenta")
            app.park()
            looks = [(MAGENTA, WHITE)] * 256
            looks[over] = (BLACK, colour)
            app.wait_grid(looks, "the red marks magenta again, square %d unmarked" % over)

            # Off: every outline black, the colours as they are.
            app.command(ui.DUPLICATES, over=over)
            palette = [WHITE] * 256
            palette[over] = colour
            app.wait_grid(unselected(palette), "Don't Show Duplicates clearing every mark")
            menu = app.open_menu(over)
            app.close_menu(menu)
            self.assertEqual(menu.caption_width(ui.DUPLICATES), show_width,
                             "the mode's item reads \"Show Duplicates\" again")


if __name__ == "__main__":
    unittest.main()
