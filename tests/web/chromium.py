"""Debian's Chromium, headless, through its ChromeDriver (the page driver's interface: see
pagedriver.py). A touch screen is Chromium's own phone emulation: a mobile viewport whose
pointer is coarse, with touch input."""

import os
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.remote.command import Command

import processes


class Driver:
    name = "chromium"

    def __init__(self, scratch, width, height, scale, touch):
        self.profile = os.path.join(scratch, "profile")
        self.touch = touch
        self.scale = scale
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                         "--no-first-run", "--disable-background-networking",
                         "--disable-component-update", "--disable-sync",
                         "--disable-dev-shm-usage", "--hide-scrollbars",
                         "--autoplay-policy=no-user-gesture-required",
                         "--user-data-dir=" + self.profile,
                         "--window-size=%d,%d" % (width, height),
                         "--force-device-scale-factor=%g" % scale):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        environment = dict(os.environ, TMPDIR=scratch, HOME=scratch)
        self.selenium = webdriver.Chrome(service=Service("/usr/bin/chromedriver", env=environment),
                                         options=options)
        self.emulate(width, height)
        if touch:
            self.selenium.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                          {"enabled": True, "maxTouchPoints": 5})

    def emulate(self, width, height):
        self.selenium.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": self.scale,
            "mobile": self.touch})

    def navigate(self, url):
        self.selenium.get(url)

    def reload(self):
        self.selenium.refresh()

    def run(self, script, *arguments):
        return self.selenium.execute_script(script, *arguments)

    def perform(self, sources):
        try:
            self.selenium.execute(Command.W3C_ACTIONS, {"actions": sources})
        finally:
            self.selenium.execute(Command.W3C_CLEAR_ACTIONS)

    def resize(self, width, height):
        self.emulate(width, height)
        deadline = time.monotonic() + 10
        while self.run("return [innerWidth, innerHeight]") != [width, height]:
            if time.monotonic() > deadline:
                raise AssertionError("the viewport never became %d x %d" % (width, height))
            time.sleep(0.02)

    def screenshot(self):
        return self.selenium.get_screenshot_as_png()

    def console_errors(self):
        return [entry["message"] for entry in self.selenium.get_log("browser")
                if entry["level"] in ("SEVERE", "ERROR")]

    def quit(self):
        try:
            self.selenium.quit()
        finally:
            processes.wait_for_end(processes.named(self.profile))
