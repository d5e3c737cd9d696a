"""The page on a phone's touch screen, upright and turned: the game window in the middle and as
large as the screen allows, menus made for fingers, the boxes fitted to the screen, a tap on the
face scoring."""

import unittest

from pagetest import FakeClockTest

TOUCH_TARGET = 44  # CSS pixels: what touch guidelines ask of every menu title and item
MINIMUM_TARGET = 24  # CSS pixels, or that far from other targets (WCAG 2.5.8)


class PhoneTest(FakeClockTest):
    size = (390, 844)
    scale = 3
    touch = True

    def viewport(self):
        return self.page.run("return [innerWidth, innerHeight]")

    def check_game_window(self):
        width, height = self.viewport()
        left, top, shown_width, shown_height = self.page.box("#game")
        self.assertAlmostEqual(left, width - left - shown_width, delta=1, msg="centred across")
        self.assertAlmostEqual(top, height - top - shown_height, delta=1, msg="centred down")
        client = self.page.box("#game .client")
        scale = client[2] / 527
        self.assertLessEqual(scale, 1)
        self.assertTrue(abs(shown_width - width) <= 1 or abs(shown_height - height) <= 1,
                        "as large as the screen allows")
        self.assertAlmostEqual(client[3] / 391, scale, delta=0.002)
        # the canvas has as many pixels as the screen shows of it
        self.assertAlmostEqual(self.page.run("return document.getElementById('playfield').width"),
                               client[2] * 3, delta=1)

    def check_menus(self):
        """One tap opens a menu, one tap on another title switches to it; every title and item
        is a finger's height on the screen."""
        titles = ["mnuGame", "nandu", "bz"]
        for menu in titles:
            self.assertGreaterEqual(self.page.box("#%s > .title" % menu)[3], TOUCH_TARGET)
        self.page.tap("#mnuGame > .title")
        for menu in titles[1:] + titles[:1]:
            self.page.tap("#%s > .title" % menu)
            self.assertEqual(self.page.run(
                "return [...document.querySelectorAll('[aria-expanded=true]')]"
                ".map(t => t.parentElement.id)"), [menu], "one tap switches")
            heights = self.page.run("return [...document.querySelectorAll('#%s .items button')]"
                                    ".map(b => b.getBoundingClientRect().height)" % menu)
            self.assertTrue(heights and min(heights) >= TOUCH_TARGET, heights)
        self.page.tap("#mnuGame > .title")
        self.assertEqual(self.page.run("return document.querySelectorAll('[aria-expanded=true]')"
                                       ".length"), 0, "a tap on the open title closes it")

    def check_fitted(self, selector, width):
        """The box is wholly on the screen at the largest scale up to 100 % that fits."""
        screen_width, screen_height = self.viewport()
        left, top, shown_width, shown_height = self.page.box(selector)
        self.assertGreaterEqual(left, 0)
        self.assertGreaterEqual(top, 0)
        self.assertLessEqual(left + shown_width, screen_width + 0.5)
        self.assertLessEqual(top + shown_height, screen_height + 0.5)
        scale = self.page.box(selector + " .client")[2] / width if width else 1
        self.assertTrue(scale == 1 or abs(shown_width - screen_width) <= 1 or
                        abs(shown_height - screen_height) <= 1, scale)

    def check_targets(self, selector):
        """Each button is 24 px square, or its 24 px circle touches no other (WCAG 2.5.8)."""
        rects = self.page.run("return [...document.querySelectorAll(arguments[0])].map(b => {"
                              "const r = b.getBoundingClientRect();"
                              "return [r.left, r.top, r.width, r.height]; })", selector)
        centres = [(x + w / 2, y + h / 2) for x, y, w, h in rects]
        for index, (x, y, w, h) in enumerate(rects):
            if w >= MINIMUM_TARGET and h >= MINIMUM_TARGET:
                continue
            for other, (cx, cy) in enumerate(centres):
                if other != index:
                    distance = ((cx - centres[index][0]) ** 2 + (cy - centres[index][1]) ** 2)
                    self.assertGreaterEqual(distance ** 0.5, MINIMUM_TARGET, (selector, rects))

    def check_boxes(self):
        self.page.tap("#bz > .title")
        self.page.tap("#about-item")
        self.check_fitted("#about", 382)
        self.check_targets("#about button")
        self.page.tap("#cmdSysInfo")
        self.assertTrue(self.message_shown())
        self.check_fitted("#message", 0)
        self.check_targets("#message button")
        self.page.tap("#message-ok")
        self.page.tap("#cmdOK")
        self.assertFalse(self.page.run("return document.getElementById('about').open"))

    def test_upright_then_turned_the_game_fits_and_plays_by_touch(self):
        for width, height in ((390, 844), (844, 390)):
            with self.subTest(screen=(width, height)):
                if self.viewport() != [width, height]:
                    self.page.driver.resize(width, height)
                self.page.wait_for("(r => Math.abs(r.width - innerWidth) <= 1 || "
                                   "Math.abs(r.height - innerHeight) <= 1)"
                                   "(document.getElementById('game').getBoundingClientRect())")
                self.check_game_window()
                self.check_menus()
                self.check_boxes()

        self.page.tap("#mnuGame > .title")
        self.page.tap("#mnustartgame")
        self.tick()
        self.page.tap("#Picture1", at=(50, 20))
        self.assertEqual(self.beeps(), 1)


if __name__ == "__main__":
    unittest.main()
