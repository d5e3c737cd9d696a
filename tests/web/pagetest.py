"""What the browser tests share: the page opened on a site of its own for each test, the pixels
every adapter must draw, and the test clock.

Run a test module from this folder with the site's folder in POMVEXA_SITE, a scratch folder in
POMVEXA_SCRATCH and the engine in POMVEXA_ENGINE, e.g.
    python3 -m unittest play_test.StartUpTest"""

import os
import re
import unittest

from pagedriver import RUNNING, Page, page_script
from siteserver import Site

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
    """Each test opens the page in a browser of its own, on a site of its own."""

    size = (800, 700)
    scale = 1
    touch = False
    inject = None
    blocked = ()
    held = ()
    max_age = None
    isolated = False
    ready = RUNNING

    def served(self):
        return SITE

    def setUp(self):
        self.site = Site(self.served(), inject=page_script() + (self.inject or ""),
                         max_age=self.max_age, blocked=self.blocked, held=self.held,
                         isolated=self.isolated)
        self.addCleanup(self.site.close)
        self.page = Page(self.site, SCRATCH, *self.size, scale=self.scale, touch=self.touch,
                         ready=self.ready)
        self.addCleanup(self.page.close)

    def tearDown(self):
        self.assertEqual(self.page.console_errors(), [])

    def picture_place(self):
        return self.page.run("const s = document.getElementById('Picture1').style;"
                             "return [parseInt(s.left), parseInt(s.top)];")

    def message_shown(self):
        return self.page.run("return document.getElementById('message').open")

    def checked(self):
        """The menu items shown checked."""
        return self.page.run("return [...document.querySelectorAll('[aria-checked=true]')]"
                             ".map(e => e.id)")

    def check_frame_and_face(self, image, ratio):
        """The game window's frame on the screenshot, each of its pixels a square of ratio x
        ratio of the screen's, and the face on its picture."""
        left, top = self.page.client_origin("game")
        background = image.getpixel((ratio * (left + BACKGROUND[0]), ratio * (top + BACKGROUND[1])))
        self.assertFalse(CHECKS["isBlack"](background))
        for x, y, black in FRAME:
            with self.subTest(x=x, y=y):
                for dx in range(ratio):
                    for dy in range(ratio):
                        pixel = image.getpixel((ratio * (left + x) + dx, ratio * (top + y) + dy))
                        self.assertEqual(pixel, (0, 0, 0) if black else background)
        for x, y, part, check in FACE:
            pixel = image.getpixel((ratio * (left + PICTURE_INSIDE[0] + x),
                                    ratio * (top + PICTURE_INSIDE[1] + y)))
            with self.subTest(part=part):
                self.assertTrue(CHECKS[check](pixel), pixel)


class FakeClockTest(PageTest):
    """The page's clock and timeouts move only when the test fires them; beeps are counted."""

    inject = FAKE_CLOCK

    def fire(self, lateness):
        return self.page.run("return testClock.fire(arguments[0])", lateness)

    def tick(self):
        """Fires the timer's next timeout a little late; returns when the tick came and where
        the picture went."""
        when = self.fire(5)
        return when, self.picture_place()

    def next_tick(self):
        return self.page.run("return testClock.next()")

    def beeps(self):
        return self.page.run("return testBeeps")
