"""The page's windows on a desktop, used with the keyboard and the mouse: the About box's Tab
order and keys, the message box keeping the keyboard, the keys after Exit, Ctrl+N only in the
game window, nothing reaching the game window once it is unloaded, dragging by the title bar."""

import unittest

from selenium.webdriver.common.keys import Keys

from pagetest import FakeClockTest

OPEN = "return document.getElementById(arguments[0]).open"


class WindowTest(FakeClockTest):
    def open_about(self):
        self.page.choose("bz", "about-item")
        self.assertTrue(self.page.run(OPEN, "about"))

    def active(self):
        return self.page.run("return document.querySelector('.window.active').id")


class AboutBoxKeysTest(WindowTest):
    def test_tab_goes_round_the_box_in_its_order_and_never_leaves_it(self):
        self.open_about()
        self.assertEqual(self.page.focused(), "cmdOK")
        order = []
        for _ in range(4):
            self.page.press(Keys.TAB)
            order.append(self.page.focused())
        self.assertEqual(order, ["picIcon", "cmdSysInfo", "cmdOK", "picIcon"])
        order = []
        for _ in range(3):
            self.page.press(Keys.TAB, Keys.SHIFT)
            order.append(self.page.focused())
        self.assertEqual(order, ["cmdOK", "cmdSysInfo", "picIcon"])
        self.assertEqual(self.active(), "about")
        self.assertTrue(self.page.run(OPEN, "about"))

    def test_its_keys_act_whatever_in_it_was_clicked_before(self):
        self.open_about()
        self.page.click("#lblDescription")
        self.page.press(Keys.TAB)
        self.assertEqual(self.page.focused(), "cmdOK", "Tab from a label stays in the box")
        self.page.click("#lblTitle")
        self.page.press("s", Keys.ALT)
        self.assertTrue(self.message_shown())
        self.assertEqual(self.page.text("message-text"), "此时系统信息不可用")
        self.page.press(Keys.ENTER)
        self.assertFalse(self.message_shown())
        self.assertTrue(self.page.run(OPEN, "about"), "System Info leaves the box open")
        self.page.click("#lblVersion")
        self.page.press(Keys.ENTER)
        self.assertFalse(self.page.run(OPEN, "about"), "Enter is OK")
        self.open_about()
        self.page.click("#cmdSysInfo")
        self.page.press(Keys.ESCAPE)  # the message's
        self.page.press(Keys.ENTER)  # System Info, which has the focus
        self.assertTrue(self.message_shown())
        self.page.press(Keys.ESCAPE)
        self.page.press(Keys.ESCAPE)
        self.assertFalse(self.page.run(OPEN, "about"), "Esc is OK")


class MessageBoxTest(WindowTest):
    def test_the_box_keeps_the_keyboard_after_a_click_beside_it_and_holds_the_page(self):
        self.open_about()
        self.page.click("#cmdSysInfo")
        self.assertTrue(self.message_shown())
        self.page.pointer("mouse", [(790, 690)])  # beside the box, on the page
        self.page.click("#lblTitle")  # behind the box: inert
        self.page.click("#game .titlebar .icon")
        self.assertTrue(self.message_shown())
        self.assertTrue(self.page.run(OPEN, "about"))
        self.assertEqual(self.page.focused(), "message-ok")
        self.page.press(Keys.ENTER)
        self.assertFalse(self.message_shown())
        self.assertEqual(self.page.focused(), "cmdSysInfo", "the focus is back where it was")


class ExitTest(WindowTest):
    def test_after_exit_the_about_box_takes_the_keys_and_nothing_reaches_the_game(self):
        self.page.choose("mnuGame", "mnustartgame")
        self.tick()
        place = self.picture_place()
        self.open_about()
        self.page.click("#playfield", at=(20, 20))  # the game window active again, not covered
        self.assertEqual(self.active(), "game")
        self.page.choose("mnuGame", "mnuexit")
        self.assertFalse(self.page.shown("game"))
        self.assertIsNone(self.next_tick(), "the round's timer went with the window")

        self.page.press("n", Keys.CONTROL)
        self.page.run("document.getElementById('mnustartgame').click();"
                      "document.getElementById('Picture1').click();")
        self.assertIsNone(self.next_tick(), "no round starts in an unloaded window")
        self.assertEqual(self.picture_place(), place)
        self.assertEqual(self.beeps(), 0)

        self.assertEqual(self.active(), "about")
        self.page.press(Keys.ESCAPE)
        self.assertFalse(self.page.run(OPEN, "about"))
        self.assertTrue(self.page.shown("ended"))


class ShortcutTest(WindowTest):
    def test_ctrl_n_starts_a_round_only_while_the_game_window_is_active(self):
        self.open_about()
        self.page.press("n", Keys.CONTROL)
        self.assertIsNone(self.next_tick(), "the About box is active")
        self.page.click("#playfield", at=(20, 20))
        self.page.press("n", Keys.CONTROL)
        self.assertEqual(self.next_tick(), self.page.run("return testClock.now()") + 500)


class DragTest(WindowTest):
    def test_the_about_box_is_never_hidden_behind_the_game_window(self):
        self.open_about()
        self.page.click("#playfield", at=(20, 20))
        self.assertEqual(self.active(), "game")
        x, y = self.page.point("#about .client")
        self.assertEqual(self.page.run("return document.elementFromPoint(arguments[0], "
                                       "arguments[1]).closest('.window').id", x, y), "about")

    def test_a_window_is_dragged_by_its_title_bar_and_stays_on_the_page(self):
        self.open_about()
        before = self.page.box("#about")
        self.page.drag("#about-caption", (-120, 60))
        after = self.page.box("#about")
        self.assertEqual([after[0] - before[0], after[1] - before[1]], [-120, 60])
        self.assertEqual(after[2:], before[2:])
        self.assertEqual(self.active(), "about")

        x, y = self.page.point("#game-caption")
        self.page.drag("#game-caption", (795 - x, 695 - y))  # further than the page allows
        left, top, width, height = self.page.box("#game")
        self.assertEqual([left + width, top + height], [800, 700], "at the page's corner")
        self.assertEqual(self.active(), "game")
        self.assertEqual(self.page.box("#about"), after, "one drag moves one window")


if __name__ == "__main__":
    unittest.main()
