"""The game's site served on a free local port and opened in headless Chromium."""

import functools
import http.server
import io
import os
import shutil
import tempfile
import threading
import time

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a browser that stops a download midway, as it does on leaving a page


class Site:
    """Serves a folder at http://127.0.0.1:<free port>/ until closed."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = QuietServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Page:
    """The game's page in a Chromium of its own: a fresh profile and temporary folder inside
    scratch, removed on close. scale is the screen's device-pixel ratio; before_load is a script
    that runs in the page before any of its own; blocked lists the URL patterns the browser may
    not fetch; the page is open once the expression ready is true."""

    def __init__(self, site, scratch, width=800, height=700, scale=1, before_load=None,
                 blocked=(), ready="!document.getElementById('game').hidden"):
        self.folder = tempfile.mkdtemp(prefix="chromium-", dir=scratch)
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                         "--no-first-run", "--disable-background-networking",
                         "--disable-component-update", "--disable-sync",
                         "--disable-dev-shm-usage", "--hide-scrollbars",
                         "--autoplay-policy=no-user-gesture-required",
                         "--user-data-dir=" + os.path.join(self.folder, "profile"),
                         "--window-size=%d,%d" % (width, height),
                         "--force-device-scale-factor=%g" % scale):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        environment = dict(os.environ, TMPDIR=self.folder, HOME=self.folder)
        service = Service("/usr/bin/chromedriver", env=environment)
        self.driver = webdriver.Chrome(service=service, options=options)
        if before_load:
            self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                        {"source": before_load})
        if blocked:
            self.driver.execute_cdp_cmd("Network.enable", {})
            self.driver.execute_cdp_cmd("Network.setBlockedURLs", {"urls": list(blocked)})
        self.driver.get(site.url)
        self.wait_for(ready)

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)

    def run(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def wait_for(self, condition, seconds=20):
        """Waits until the script expression is true (for the page to load or to react)."""
        deadline = time.monotonic() + seconds
        while not self.run("return Boolean(" + condition + ")"):
            if time.monotonic() > deadline:
                raise AssertionError("the page never showed " + condition)
            time.sleep(0.02)

    def element(self, element_id):
        return self.driver.find_element(By.ID, element_id)

    def choose(self, menu, item):
        """Opens a menu of the menu bar and chooses one of its items, as a user does."""
        self.driver.find_element(By.CSS_SELECTOR, "#%s > .title" % menu).click()
        self.element(item).click()

    def screenshot(self):
        """What the page shows, in device pixels, as an RGB image."""
        png = self.driver.get_screenshot_as_png()
        return Image.open(io.BytesIO(png)).convert("RGB")

    def client_origin(self, window_id):
        """Where a window's client area starts on the page, in CSS pixels."""
        return self.run("const r = document.querySelector('#%s .client').getBoundingClientRect();"
                        "return [r.left, r.top];" % window_id)

    def console_errors(self):
        return [entry for entry in self.driver.get_log("browser")
                if entry["level"] in ("SEVERE", "ERROR")]
