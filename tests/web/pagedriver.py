"""The game's page in a browser of one engine, used as a player uses it: clicks, taps, keys
and drags as the browser's own input, at the screen's size and scale.

Each engine has a thin driver (chromium.py, firefox.py, webkit.py), a class Driver with:
  Driver(scratch, width, height, scale, touch)  a fresh browser whose viewport is width x
      height CSS pixels at device-pixel ratio scale; touch: a phone's touch screen (the pointer
      is coarse and touch input reaches the page as touch), else a desktop with a mouse
  navigate(url), reload()        return after the load event
  run(script, *arguments)        the script as a function's body in the page; its result
                                 (a promise's, once settled) as JSON-like values
  perform(sources)               WebDriver's actions: key and pointer input sources
  resize(width, height)          another viewport, as a phone turned
  screenshot()                   the viewport as PNG, in device pixels
  console_errors()               errors the page logged since the last call
  quit()                         closes it and waits for its processes to end
The engine is POMVEXA_ENGINE's (chromium if unset)."""

import importlib
import io
import os
import shutil
import tempfile
import time

from PIL import Image

ENGINE = os.environ.get("POMVEXA_ENGINE", "chromium")
# The page is open once the program runs in it.
RUNNING = "document.documentElement.classList.contains('running')"


def page_script():
    """What the engine's driver needs the site to run in the page before anything else (a
    driver whose browser keeps no console log has the page keep its errors), or nothing."""
    return getattr(importlib.import_module(ENGINE).Driver, "page_script", "")


class Page:
    """The site's page open in a browser of its own, with its profile and temporary files in a
    folder inside scratch, removed on close; the page is open once the expression ready is
    true."""

    def __init__(self, site, scratch, width=800, height=700, scale=1, touch=False,
                 ready=RUNNING):
        self.folder = tempfile.mkdtemp(prefix=ENGINE + "-", dir=scratch)
        self.driver = importlib.import_module(ENGINE).Driver(self.folder, width, height, scale,
                                                             touch)
        self.site = site
        self.driver.navigate(site.url)
        self.wait_for(ready)

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)

    def run(self, script, *arguments):
        return self.driver.run(script, *arguments)

    def wait_for(self, condition, seconds=20):
        """Waits until the script expression, or the promise it gives, is true (for the page to
        load or to react)."""
        deadline = time.monotonic() + seconds
        while not self.run("return Promise.resolve(" + condition + ").then(Boolean)"):
            if time.monotonic() > deadline:
                raise AssertionError("the page never showed " + condition)
            time.sleep(0.02)

    def reload(self, ready=RUNNING):
        self.driver.reload()
        self.wait_for(ready)

    def follow(self, action, ready=RUNNING):
        """Does what makes the page load itself again and waits until the new document is
        whole and ready is true there. A driver may answer while the old document is still
        up or while the new one is half parsed (Firefox's does), so the old one is marked and
        the new one must have finished loading."""
        self.run("window.pomvexaLeaving = true")
        action()
        self.wait_for("!window.pomvexaLeaving && document.readyState == 'complete' && (%s)"
                      % ready)

    # ---- what the page shows ----

    def box(self, selector):
        """Where an element is on the screen, in CSS pixels: left, top, width, height."""
        return self.run("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                        "return [r.left, r.top, r.width, r.height];", selector)

    def focused(self):
        return self.run("return document.activeElement.id || document.activeElement.className")

    def shown(self, element_id):
        """Whether the element is shown: neither it nor a window holding it is hidden."""
        return self.run("const e = document.getElementById(arguments[0]);"
                        "return e.getClientRects().length > 0;", element_id)

    def text(self, element_id):
        return self.run("return document.getElementById(arguments[0]).textContent", element_id)

    def screenshot(self):
        """What the page shows, in device pixels, as an RGB image."""
        return Image.open(io.BytesIO(self.driver.screenshot())).convert("RGB")

    def client_origin(self, window_id):
        """Where a window's client area starts on the page, in CSS pixels."""
        return self.box("#%s .client" % window_id)[:2]

    def console_errors(self):
        return self.driver.console_errors()

    # ---- input ----

    def point(self, selector, at=None):
        """The centre of an element, or the point at the offset given from its top-left."""
        left, top, width, height = self.box(selector)
        return (left + at[0], top + at[1]) if at else (left + width / 2, top + height / 2)

    def pointer(self, kind, moves):
        """Presses at the first point, moves through the others and releases at the last."""
        actions = [{"type": "pointerMove", "x": round(moves[0][0]), "y": round(moves[0][1]),
                    "origin": "viewport"}, {"type": "pointerDown", "button": 0}]
        for x, y in moves[1:]:
            actions.append({"type": "pointerMove", "x": round(x), "y": round(y),
                            "origin": "viewport", "duration": 20})
        actions.append({"type": "pointerUp", "button": 0})
        self.driver.perform([{"type": "pointer", "id": kind, "parameters": {"pointerType": kind},
                              "actions": actions}])

    def click(self, selector, at=None):
        self.pointer("mouse", [self.point(selector, at)])

    def tap(self, selector, at=None):
        self.pointer("touch", [self.point(selector, at)])

    def drag(self, selector, by, kind="mouse"):
        """Drags the element by (dx, dy) from its centre, in a few steps."""
        x, y = self.point(selector)
        self.pointer(kind, [(x, y)] + [(x + by[0] * k / 4, y + by[1] * k / 4) for k in (1, 2, 3, 4)])

    def press(self, key, *modifiers):
        """Presses the key (a character or a selenium Keys value) with the modifiers held."""
        actions = [{"type": "keyDown", "value": m} for m in modifiers]
        actions += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        actions += [{"type": "keyUp", "value": m} for m in reversed(modifiers)]
        self.driver.perform([{"type": "key", "id": "keyboard", "actions": actions}])

    def choose(self, menu, item):
        """Opens a menu of the menu bar and chooses one of its items with the mouse."""
        self.click("#%s > .title" % menu)
        self.click("#" + item)
