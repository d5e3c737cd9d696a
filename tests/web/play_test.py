"""The game played on the page: what it draws at start, a round from the menu, the timer's
schedule, the ticks held back while a message box is up, code that cannot be loaded, and the
drawing again at another scale."""

import unittest

from PIL import ImageChops
from selenium.webdriver.common.keys import Keys

from pagedriver import ENGINE, RUNNING
from pagetest import FakeClockTest, PageTest


class StartUpTest(FakeClockTest):
    """The game window stands on the page from its first paint on, before the program's script
    and code have arrived, as the program's start-up draws it, and the program's taking over
    changes none of its pixels. What the player does meanwhile reaches the program in order once
    it runs: clicks and keys kept before the script arrived, then choices held before the code
    did."""

    held = ("pomvexa.js", "pomvexa.wasm")
    ready = "document.readyState == 'complete'"

    def check_picture(self, image):
        """The window where it belongs, its frame and face, and its caption."""
        self.assertEqual(self.page.client_origin("game"), [9, 53])
        self.check_frame_and_face(image, self.scale)
        self.assertEqual(self.page.text("game-caption"), "Pomvexa-  tarnik")
        self.assertEqual(self.page.run("return document.title"), "Pomvexa-\u00a0\u00a0tarnik")

    def unchanged(self, before, after):
        """Checks that no pixel of the game window changed. WebKit, which may draw a text that
        it draws again a level lighter or darker here and there, may do so to the texts of the
        title bar and the menu bar; the client area, where the program paints, is the same to
        the bit in every engine."""
        def part(image, selector):
            left, top, width, height = self.page.box(selector)
            return image.crop(tuple(round(self.scale * value)
                                    for value in (left, top, left + width, top + height)))
        self.assertEqual(part(after, "#game .client").tobytes(),
                         part(before, "#game .client").tobytes(), "the client area changed")
        change = ImageChops.difference(part(before, "#game"), part(after, "#game"))
        most = max(high for _, high in change.getextrema())
        self.assertLessEqual(most, 1 if ENGINE == "webkit" else 0, "the window changed")

    def holding(self):
        return self.page.run("return document.documentElement.classList.contains('holding')")

    def test_the_first_paint_is_the_game_and_what_the_player_did_meanwhile_reaches_it(self):
        self.site.wait_until_asked("pomvexa.js")  # once the first picture is up
        first = self.page.screenshot()
        self.check_picture(first)
        self.assertEqual(self.checked(), ["mnumoderate"])

        self.page.press("n", Keys.CONTROL)  # Start, kept before the script
        self.page.click("#Picture1")  # a hit, once the round has started
        self.assertTrue(self.holding(), "the pointer shows the page busy")
        self.site.release("pomvexa.js")
        self.page.wait_for("window.Module && Module.page")
        self.page.choose("nandu", "mnuhard")  # held before the code: for the next round
        self.assertEqual(self.checked(), ["mnumoderate"])
        self.site.release("pomvexa.wasm")
        self.page.wait_for(RUNNING)

        self.unchanged(first, self.page.screenshot())
        self.assertEqual(self.beeps(), 1)
        self.assertEqual(self.next_tick() - self.page.run("return testClock.now()"), 500)
        self.assertEqual(self.checked(), ["mnuhard"])
        self.assertFalse(self.holding())


class StartUpAtTwiceTest(StartUpTest):
    scale = 2


class StartUpAtThriceTest(StartUpTest):
    scale = 3


class RoundTest(FakeClockTest):
    def test_a_round_from_the_menu_scores_the_clicks_between_its_jumps(self):
        self.page.click("#Picture1")  # before Start: no beep, no score
        self.assertEqual(self.beeps(), 0)

        self.page.choose("mnuGame", "mnustartgame")
        places = []
        for jump in range(1, 31):
            places.append(self.tick()[1])
            if jump in (3, 17):
                self.page.click("#Picture1")
                self.page.click("#Picture1")
            self.assertEqual(self.message_shown(), jump == 30)
        self.assertEqual(self.beeps(), 4)
        self.assertTrue(all(20 <= x <= 410 and 20 <= y <= 250 for x, y in places), places)
        self.assertGreater(len(set(map(tuple, places))), 25)
        self.assertEqual(self.page.text("message-text"), "你的成绩:4")
        self.assertEqual(self.page.text("message-caption"), "Pomvexa")
        self.assertEqual(self.page.focused(), "message-ok")

        self.page.press("\ue007")  # Enter
        self.assertFalse(self.message_shown())
        self.assertIsNone(self.next_tick(), "the timer has stopped")
        self.page.click("#Picture1")  # after the round: nothing
        self.assertEqual(self.beeps(), 4)


class TimerTest(FakeClockTest):
    """Where the page may not have shared memory, its timer sleeps with setTimeout, for whole
    milliseconds."""

    rounding = 1

    def test_ticks_are_due_at_whole_intervals_from_the_start(self):
        self.page.choose("nandu", "mnuimpossible")
        self.page.choose("mnuGame", "mnustartgame")
        start = self.page.run("return testClock.now()")
        came = [self.tick()[0] for _ in range(5)]
        # each timeout fires 5 ms late, but the next is still due a whole interval after the last
        self.assertEqual([when - start for when in came], [250 * k + 5 for k in range(1, 6)])
        # one that comes early is set again for the rest, never before the tick is due, and is
        # no jump: the round still ends on its 30th tick
        self.fire(-0.5)
        due = start + 6 * 250
        self.assertTrue(due <= self.next_tick() < due + self.rounding, self.next_tick())
        for _ in range(24):
            self.tick()
        self.assertFalse(self.message_shown())
        self.tick()
        self.assertTrue(self.message_shown())
        self.page.click("#message-ok")

        # A new Start restarts the count from its own moment.
        self.page.run("testClock.pass(100)")
        self.page.press("n", "\ue009")  # Ctrl+N
        restart = self.page.run("return testClock.now()")
        self.assertEqual(self.next_tick(), restart + 250)


class IsolatedTimerTest(TimerTest):
    """A cross-origin isolated page's timer sleeps on shared memory, to the fraction of a
    millisecond."""

    isolated = True
    rounding = 0.001

    def test_the_page_is_isolated(self):
        self.assertTrue(self.page.run("return crossOriginIsolated"))


class ModalBoxTest(FakeClockTest):
    def test_no_tick_reaches_the_game_while_a_message_box_is_up(self):
        self.page.choose("mnuGame", "mnustartgame")
        self.tick()
        self.page.choose("bz", "about-item")
        self.page.click("#cmdSysInfo")
        self.assertEqual(self.page.text("message-text"), "此时系统信息不可用")
        place = self.picture_place()
        for _ in range(4):
            self.tick()
        self.assertEqual(self.picture_place(), place)

        self.page.click("#message-ok")
        self.assertFalse(self.message_shown())
        self.assertTrue(self.page.shown("about"))
        moved = [self.tick()[1] for _ in range(3)]
        self.assertNotEqual(moved, [place] * 3)


class LoadFailureTest(PageTest):
    blocked = ("pomvexa.wasm",)
    ready = "!document.getElementById('failed').hidden"

    def test_code_that_cannot_be_fetched_is_said_and_tried_again(self):
        self.assertFalse(self.page.shown("game"))
        self.assertEqual(" ".join(self.page.run(
            "return document.getElementById('failed').innerText").split()), "游戏无法载入。 重试")
        self.assertEqual(self.page.focused(), "reload")
        self.assertTrue([e for e in self.page.console_errors() if "could not be loaded" in e],
                        "the page logs why it failed")

        self.site.blocked.clear()
        self.page.follow(lambda: self.page.click("#reload"))
        self.assertFalse(self.page.shown("failed"))


class ScaleTest(PageTest):
    """Drawn at twice the scale once the game window is shown at 100 % of a screen at 2x, after
    it first was fitted to a narrow one."""

    size = (320, 700)
    scale = 2

    def test_the_drawing_is_replayed_sharp_at_twice_the_scale(self):
        self.assertLess(self.page.run("return document.getElementById('playfield').width"), 700)
        self.page.driver.resize(800, 700)
        self.page.wait_for("document.getElementById('playfield').width == 1054")
        # every pixel of the frame at 100 % is two by two device pixels on the screen now
        self.check_frame_and_face(self.page.screenshot(), 2)
        self.assertEqual(self.page.run("return document.getElementById('picture').width"), 192)


if __name__ == "__main__":
    unittest.main()
