"""The game's page in headless Chromium, used as a player uses it: what it draws, a round
played from the menu, the About box and its message, and the adapter's own parts (the drawing
replayed at another scale, the timer's schedule, the modal box holding back the ticks).

Run with the site's folder in POMVEXA_SITE and a scratch folder in POMVEXA_SCRATCH."""

import os
import re
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from pagedriver import Page, Site

HERE = os.path.dirname(os.path.abspath(__file__))
SITE = os.environ.get("POMVEXA_SITE", "")
SCRATCH = os.environ.get("POMVEXA_SCRATCH", "")
with open(os.path.join(HERE, "fakeclock.js"), encoding="utf-8") as source:
    FAKE_CLOCK = source.read()


def drawing_expectations():
    """The frame's and the face's pixels every adapter must draw, from the C++ tests' header."""
    with open(os.path.join(HERE, "..", "drawingexpectations.h"), encoding="utf-8") as header:
        text = header.read()
    frame_block = text[text.index("framePixels[]"):text.index("frameBackgroundX")]
    frame = [(int(x), int(y), black == "true")
             for x, y, black in re.findall(r"\{(\d+), (\d+), (true|false)\}", frame_block)]
    background = (int(re.search(r"frameBackgroundX = (\d+)", text).group(1)),
                  int(re.search(r"frameBackgroundY = (\d+)", text).group(1)))
    face_block = text[text.index("facePixels[]"):]
    face = [(int(x), int(y), part, check)
            for x, y, part, check in re.findall(r'\{(\d+), (\d+), "([^"]+)", (\w+)\}', face_block)]
    return frame, background, face


CHECKS = {
    "isBlack": lambda p: p[0] < 8 and p[1] < 8 and p[2] < 8,
    "isYellow": lambda p: p[:3] == (255, 255, 0),
    "isMouthRed": lambda p: p[0] < 40 and p[1] < 20 and p[2] < 20,
    "isWhite": lambda p: p[0] > 250 and p[1] > 250 and p[2] > 250,
}
FRAME, BACKGROUND, FACE = drawing_expectations()
PICTURE_INSIDE = (24 + 2, 16 + 2)  # the picture's place at start-up and its border


class PageTest(unittest.TestCase):
    scale = 1
    size = (800, 700)
    before_load = None
    blocked = ()
    ready = "!document.getElementById('game').hidden"

    @classmethod
    def setUpClass(cls):
        cls.site = Site(SITE)

    @classmethod
    def tearDownClass(cls):
        cls.site.close()

    def setUp(self):
        self.page = Page(self.site, SCRATCH, *self.size, scale=self.scale,
                         before_load=self.before_load, blocked=self.blocked, ready=self.ready)
        self.addCleanup(self.page.close)

    def tearDown(self):
        self.assertEqual(self.page.console_errors(), [])

    def text(self, element_id):
        return self.page.element(element_id).text

    def shown(self, element_id):
        return self.page.run("return !document.getElementById(arguments[0]).closest('[hidden]')",
                             element_id)

    def picture_place(self):
        return self.page.run("const s = document.getElementById('Picture1').style;"
                             "return [parseInt(s.left), parseInt(s.top)];")


class StartUpTest(PageTest):
    def test_shows_the_window_its_frame_and_its_face(self):
        self.assertEqual(self.page.run("return document.title"), "Pomvexa-\u00a0\u00a0tarnik")
        self.assertEqual(self.page.run(
            "return document.getElementById('game-caption').textContent"), "Pomvexa-  tarnik")
        checked = self.page.run("return [...document.querySelectorAll('[aria-checked=true]')]"
                                ".map(e => e.id)")
        self.assertEqual(checked, ["mnumoderate"])

        image = self.page.screenshot()
        left, top = self.page.client_origin("game")
        background = image.getpixel((left + BACKGROUND[0], top + BACKGROUND[1]))
        self.assertFalse(CHECKS["isBlack"](background))
        for x, y, black in FRAME:
            pixel = image.getpixel((left + x, top + y))
            with self.subTest(x=x, y=y):
                self.assertEqual(pixel, (0, 0, 0) if black else background)
        for x, y, part, check in FACE:
            pixel = image.getpixel((left + PICTURE_INSIDE[0] + x, top + PICTURE_INSIDE[1] + y))
            with self.subTest(part=part):
                self.assertTrue(CHECKS[check](pixel), pixel)


class FakeClockTest(PageTest):
    before_load = FAKE_CLOCK

    def fire(self, lateness):
        return self.page.run("return testClock.fire(arguments[0])", lateness)

    def tick(self):
        """Fires the timer's next timeout a little late; returns when the tick came and where
        the picture went."""
        when = self.fire(5)
        return when, self.picture_place()

    def beeps(self):
        return self.page.run("return testBeeps")

    def test_a_round_from_the_menu_scores_the_clicks_between_its_jumps(self):
        picture = self.page.element("Picture1")
        picture.click()  # before Start: no beep, no score
        self.assertEqual(self.beeps(), 0)

        self.page.choose("mnuGame", "mnustartgame")
        places = []
        for jump in range(1, 31):
            places.append(self.tick()[1])
            if jump in (3, 17):
                picture.click()
                picture.click()
            self.assertEqual(self.shown("message-layer"), jump == 30)
        self.assertEqual(self.beeps(), 4)
        self.assertTrue(all(20 <= x <= 410 and 20 <= y <= 250 for x, y in places), places)
        self.assertGreater(len(set(map(tuple, places))), 25)
        self.assertEqual(self.text("message-text"), "你的成绩:4")
        self.assertEqual(self.text("message-caption"), "Pomvexa")

        self.page.element("message-ok").send_keys(Keys.ENTER)
        self.page.wait_for("document.getElementById('message-layer').hidden")
        self.assertIsNone(self.page.run("return testClock.next()"), "the timer has stopped")
        picture.click()  # after the round: nothing
        self.assertEqual(self.beeps(), 4)

    def test_ticks_are_due_at_whole_intervals_from_the_start(self):
        self.page.choose("nandu", "mnuimpossible")
        self.page.choose("mnuGame", "mnustartgame")
        start = self.page.run("return testClock.now()")
        came = [self.tick()[0] for _ in range(5)]
        # each timeout fires 5 ms late, but the next is still due a whole interval after the last
        self.assertEqual([when - start for when in came], [250 * k + 5 for k in range(1, 6)])
        # one that comes early is set again for the rest and is no jump: the round still ends
        # on its 30th tick
        self.fire(-0.5)
        self.assertEqual(self.page.run("return testClock.next()"), start + 6 * 250)
        for _ in range(24):
            self.tick()
        self.assertFalse(self.shown("message-layer"))
        self.tick()
        self.assertTrue(self.shown("message-layer"))
        self.page.element("message-ok").click()

        # A new Start restarts the count from its own moment.
        self.page.run("testClock.pass(100)")
        self.page.run("document.dispatchEvent(new KeyboardEvent('keydown',"
                      "{key: 'n', ctrlKey: true}))")
        restart = self.page.run("return testClock.now()")
        self.assertEqual(self.page.run("return testClock.next()"), restart + 250)

    def test_no_tick_reaches_the_game_while_a_message_box_is_up(self):
        self.page.choose("mnuGame", "mnustartgame")
        self.tick()
        self.page.choose("bz", "about-item")
        self.page.element("cmdSysInfo").click()
        self.assertEqual(self.text("message-text"), "此时系统信息不可用")
        place = self.picture_place()
        for _ in range(4):
            self.tick()
        self.assertEqual(self.picture_place(), place)

        self.page.element("message-ok").click()
        self.page.wait_for("document.getElementById('message-layer').hidden")
        self.assertTrue(self.shown("about"))
        moved = [self.tick()[1] for _ in range(3)]
        self.assertNotEqual(moved, [place] * 3)


class LoadFailureTest(PageTest):
    blocked = ("*pomvexa.wasm",)
    ready = "!document.getElementById('failed').hidden"

    def test_code_that_cannot_be_fetched_is_said_and_tried_again(self):
        self.assertFalse(self.shown("game"))
        self.assertEqual(self.text("failed"), "游戏无法载入。\n重试")
        self.assertEqual(self.page.run("return document.activeElement.id"), "reload")
        self.assertIn("console-api", [e["source"] for e in self.page.console_errors()],
                      "the page logs why it failed")

        self.page.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": []})
        self.page.element("reload").click()
        self.page.wait_for("!document.getElementById('game').hidden")
        self.assertFalse(self.shown("failed"))


class AboutBoxTest(PageTest):
    def test_one_box_with_its_texts_its_message_and_esc(self):
        self.page.choose("bz", "about-item")
        self.assertEqual(self.page.client_origin("about"), [156, 129])
        self.assertEqual(
            [self.text(i) for i in ("about-caption", "lblTitle", "lblVersion", "lblDescription")],
            ["关于 Pomvexa", "Pomvexa", "版本 1.0.0", "用鼠标点击图，点到得1分，默认为难度为中等"])
        self.assertEqual(self.page.run("return document.activeElement.id"), "cmdOK")

        # Shown again while open, the box is not loaded again.
        self.page.run("document.getElementById('lblVersion').textContent = 'kept'")
        self.page.choose("bz", "help")
        self.assertEqual(self.text("lblVersion"), "kept")
        self.assertEqual(len(self.page.driver.find_elements(By.CSS_SELECTOR, "[role=dialog]")), 1)

        self.page.element("cmdOK").send_keys(Keys.ALT, "s")
        self.assertTrue(self.shown("message-layer"))
        self.assertEqual(self.text("message-text"), "此时系统信息不可用")
        self.page.element("message-ok").send_keys(Keys.ESCAPE)
        self.page.wait_for("document.getElementById('message-layer').hidden")
        self.assertTrue(self.shown("about"), "the box stays open")

        # Tab goes from OK to the icon to System Info, where Enter presses System Info.
        self.page.element("cmdOK").send_keys(Keys.TAB)
        self.assertEqual(self.page.run("return document.activeElement.id"), "picIcon")
        self.page.driver.switch_to.active_element.send_keys(Keys.TAB, Keys.ENTER)
        self.assertEqual(self.text("message-text"), "此时系统信息不可用")
        self.page.element("message-ok").send_keys(Keys.ENTER)
        self.page.wait_for("document.getElementById('message-layer').hidden")

        self.page.element("cmdOK").send_keys(Keys.ESCAPE)
        self.page.wait_for("document.getElementById('about').hidden")
        self.page.choose("bz", "about-item")
        self.assertEqual(self.text("lblVersion"), "版本 1.0.0", "loaded afresh")


class ScaleTest(PageTest):
    def canvas_pixels(self, canvas_id, points):
        return self.page.run(
            "const c = document.getElementById(arguments[0]).getContext('2d');"
            "return arguments[1].map(([x, y]) => [...c.getImageData(x, y, 1, 1).data]"
            ".slice(0, 3));", canvas_id, points)

    def test_the_drawing_is_replayed_sharp_at_twice_the_scale(self):
        self.page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 800, "height": 600, "deviceScaleFactor": 2, "mobile": False})
        # The browser tells a page of a new scale with a resize, not always after the ratio
        # has changed under this emulation: the test sends one when the ratio is 2.
        self.page.wait_for("devicePixelRatio == 2")
        self.page.run("dispatchEvent(new Event('resize'))")
        self.page.wait_for("document.getElementById('playfield').width == 1054")
        # every pixel of the frame at 100 % is two by two device pixels now
        points = [(2 * x + dx, 2 * y + dy) for x, y, _ in FRAME for dx in (0, 1) for dy in (0, 1)]
        pixels = self.canvas_pixels("playfield", points)
        for index, (x, y, black) in enumerate(FRAME):
            with self.subTest(x=x, y=y):
                for pixel in pixels[4 * index:4 * index + 4]:
                    self.assertEqual(CHECKS["isBlack"](tuple(pixel)), black, pixel)
        face = self.canvas_pixels("picture", [(2 * x, 2 * y) for x, y, _, _ in FACE])
        for (x, y, part, check), pixel in zip(FACE, face):
            with self.subTest(part=part):
                self.assertTrue(CHECKS[check](tuple(pixel)), pixel)
        self.assertEqual(self.page.run("return document.getElementById('picture').width"), 192)


class PhoneTest(PageTest):
    before_load = FAKE_CLOCK
    size = (360, 640)
    scale = 3

    def test_the_window_is_fitted_to_a_narrow_screen_and_a_tap_scores(self):
        driver = self.page.driver
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": 360, "height": 640, "deviceScaleFactor": 3, "mobile": True})
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
        driver.get(self.site.url)
        self.page.wait_for("!document.getElementById('game').hidden")
        right = self.page.run("return document.getElementById('game').getBoundingClientRect().right")
        self.assertLessEqual(right, 360)
        self.assertGreater(right, 340)
        # drawn at the size the screen shows it: 527 CSS pixels, 3 device pixels each, scaled
        shown = self.page.run("return document.getElementById('playfield')"
                              ".getBoundingClientRect().width * 3")
        self.assertAlmostEqual(self.page.run("return document.getElementById('playfield').width"),
                               shown, delta=1)

        self.page.choose("mnuGame", "mnustartgame")
        x, y = self.page.run("const r = document.getElementById('Picture1')"
                             ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + 20];")
        for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
            driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
        self.page.wait_for("testBeeps == 1")


if __name__ == "__main__":
    unittest.main()
