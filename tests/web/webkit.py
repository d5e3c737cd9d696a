"""WebKitGTK's MiniBrowser under WebKitWebDriver, on an X server of its own."""

import ctypes
import os
import shutil
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.remote.command import Command
from selenium.webdriver.webkitgtk.options import Options
from selenium.webdriver.webkitgtk.service import Service

import processes
import webkittouch

MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
# MiniBrowser's toolbar, shrunk so that its window can be as narrow as a phone.
TOOLBAR_CSS = ("window box, window button, window entry, window image { min-width: 0; "
               "min-height: 0; padding: 0; margin: 0; border-width: 0; font-size: 1px; }")
# Keeps the page's console.error messages and uncaught errors in its tab's sessionStorage, where
# they outlive reloads. WebKit writes no console message of a private session anywhere, and an
# automation session is private, so the page itself collects them.
CONSOLE_HOOK = """(() => {
  const key = 'webkit-driver-console-errors';
  if (window[Symbol.for(key)]) return;
  let kept = [];
  const take = () => { try { kept = JSON.parse(sessionStorage.getItem(key) || '[]'); } catch (e) {} return kept; };
  const keep = list => { kept = list; try { sessionStorage.setItem(key, JSON.stringify(list)); } catch (e) {} };
  const error = console.error;
  console.error = function (...parts) { keep(take().concat([parts.map(String).join(' ')])); return error.apply(this, parts); };
  addEventListener('error', e => e instanceof ErrorEvent && keep(take().concat([e.message])), true);
  addEventListener('unhandledrejection', e => keep(take().concat(['Unhandled Promise Rejection: ' + e.reason])));
  window[Symbol.for(key)] = () => { const list = take(); keep([]); return list; };
})();"""


class Driver:
    """One MiniBrowser with its WebKitWebDriver and X server (Xvfb, or Xorg with a touchscreen
    for touch), all kept in a folder of its own inside scratch."""

    name = "webkit"
    page_script = CONSOLE_HOOK  # for the site to run first, so errors while loading are kept too

    def __init__(self, scratch, width, height, scale, touch):
        self.folder = tempfile.mkdtemp(prefix="webkit-", dir=scratch)
        self.scale, self.touchscreen, self.down, self.at = scale, None, {}, {}
        ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER: quit() reaps orphans
        config = os.path.join(self.folder, "config")
        os.makedirs(os.path.join(config, "gtk-3.0"))
        with open(os.path.join(config, "gtk-3.0", "gtk.css"), "w") as css:
            css.write(TOOLBAR_CSS)
        self.display = self._start_display(touch)
        environment = dict(os.environ, DISPLAY=self.display_name, GDK_SCALE=str(scale),
                           HOME=self.folder, TMPDIR=self.folder, XDG_RUNTIME_DIR=self.folder,
                           XDG_CONFIG_HOME=config, XDG_CACHE_HOME=self.folder + "/cache",
                           XDG_DATA_HOME=self.folder + "/data", NO_AT_BRIDGE="1",
                           DBUS_SESSION_BUS_ADDRESS="unix:path=" + self.folder + "/no-bus")
        if touch:
            environment["LD_PRELOAD"] = webkittouch.library(scratch)
        options = Options()
        options.binary_location = MINIBROWSER
        options.add_argument("--automation")  # a private session: a fresh profile every time
        self.service = Service("/usr/bin/WebKitWebDriver", env=environment,
                               log_path=os.path.join(self.folder, "webdriver.log"))
        try:
            self.service.start()
            self.driver = webdriver.Remote(self.service.service_url, options=options)
            # WebKit's WebDriver times scripts out with the page's own setTimeout; with no time
            # limit it sets none, and a test's clock in the page sees the page's timeouts only.
            self.driver.execute(Command.SET_TIMEOUTS, {"script": None})
            if touch:
                self.touchscreen = webkittouch.Touchscreen(os.path.join(self.folder, "touch"))
            self.resize(width, height)
        except BaseException:
            self.quit()
            raise

    def _start_display(self, touch):
        if touch:
            with open(os.path.join(self.folder, "xorg.conf"), "w") as conf:
                conf.write(webkittouch.XORG_CONF % os.path.join(self.folder, "touch"))
            command = ["Xorg", "-config", conf.name, "-logfile", self.folder + "/Xorg.log",
                       "-noreset", "-novtswitch", "-sharevts", "-seat", "seat-webkit"]
        else:
            side = webkittouch.SCREEN
            command = ["Xvfb", "-screen", "0", "%dx%dx24" % (side, side), "-noreset"]
        read, write = os.pipe()
        display = subprocess.Popen(command + ["-nolisten", "tcp", "-displayfd", str(write)],
                                   pass_fds=[write], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            self.display_name = ":" + pipe.readline().strip()  # written once it accepts clients
        if self.display_name == ":":
            display.wait()
            raise RuntimeError("no X server: " + " ".join(command))
        # With no window manager, and the focus on PointerRoot, the keyboard focus follows the
        # pointer: this one rests on the corner of the browser's window, beside its page, so
        # that the window is the active one.
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = x11.XDefaultRootWindow.restype = ctypes.c_void_p
        connection = ctypes.c_void_p(x11.XOpenDisplay(self.display_name.encode()))
        x11.XWarpPointer(connection, None, ctypes.c_void_p(x11.XDefaultRootWindow(connection)),
                         0, 0, 0, 0, 1, 1)
        x11.XSetInputFocus(connection, ctypes.c_void_p(1), 1, 0)  # PointerRoot
        x11.XCloseDisplay(connection)
        return display

    def navigate(self, url):
        self.driver.get(url)
        self.run(CONSOLE_HOOK)

    def reload(self):
        self.driver.refresh()
        self.run(CONSOLE_HOOK)

    def run(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def perform(self, sources):
        touches = [source for source in sources
                   if source.get("parameters", {}).get("pointerType") == "touch"]
        others = [source for source in sources if source not in touches]
        try:
            if touches:
                self._touch(touches, others)
            else:
                self.driver.execute(Command.W3C_ACTIONS, {"actions": others})
        finally:
            self.driver.execute(Command.W3C_CLEAR_ACTIONS)

    def _touch(self, touches, others):
        """Touches through the X server, the other sources' actions through WebDriver, tick by
        tick; returns once the page has had the touch events and the mouse events after them."""
        before, count = self.run(webkittouch.TOUCH_LOG), 0
        left, top, toolbar = self.run("return [screenX, screenY, outerHeight - innerHeight]")
        self.origin = (left, top + toolbar)  # the viewport's corner on the screen, in CSS px
        try:
            for tick in range(max(len(source["actions"]) for source in touches + others)):
                now = [dict(source, actions=source["actions"][tick:tick + 1]) for source in others]
                if any(source["actions"] for source in now):
                    self.driver.execute(Command.W3C_ACTIONS, {"actions": now})
                pause = 0
                for source in touches:
                    action = (source["actions"][tick:] or [{"type": "pause"}])[0]
                    pause = max(pause, action.get("duration", 0) / 1000)
                    count += self._act(source["id"], action)
                time.sleep(pause)  # the pause, or the move's duration, that the actions ask for
        finally:
            for finger in list(self.down):
                count += self._act(finger, {"type": "pointerUp"})
            self.touchscreen.sync()
        self._wait_for(webkittouch.TOUCH_LOG, *before, count)

    def _act(self, finger, action):
        """Sends one touch action; returns how many touch events the page is to get from it."""
        kind = action["type"]
        if kind == "pointerMove":
            origin = action.get("origin", "viewport")
            if origin not in ("viewport", "pointer"):
                raise ValueError("a touch moves relative to the viewport or to itself")
            x, y = self.at.get(finger, (0, 0)) if origin == "pointer" else (0, 0)
            self.at[finger] = (x + action["x"], y + action["y"])
            if finger in self.down:
                self._send(finger, 19)
            return 0
        if kind == "pointerDown" and finger not in self.down:
            self.down[finger] = min(set(range(1, 16)) - set(self.down.values()))
            return self._send(finger, 18)
        if kind in ("pointerUp", "pointerCancel") and finger in self.down:
            self._send(finger, 20)
            del self.down[finger]
            return 1
        return 0

    def _send(self, finger, kind):
        # A quarter pixel into the CSS pixel: WebKit drops the fraction.
        left, top = [(origin + at + 0.25) * self.scale / webkittouch.SCREEN
                     for origin, at in zip(self.origin, self.at.get(finger, (0, 0)))]
        self.touchscreen.touch(self.down[finger], kind, left, top)
        return 1

    def _wait_for(self, script, *arguments, seconds=20):
        deadline = time.monotonic() + seconds
        while not self.run(script, *arguments):
            if time.monotonic() > deadline:
                raise AssertionError("the page never showed: " + script)
            time.sleep(0.01)

    def resize(self, width, height):
        """Returns once the page has had the resize event and drawn a frame after it."""
        size = self.run("return [innerWidth, innerHeight, outerWidth, outerHeight]")
        if size[:2] == [width, height]:
            return
        self.run("window[Symbol.for('webkit-driver-resized')] ="
                 " new Promise(done => addEventListener('resize', done, {once: true}))")
        self.driver.set_window_rect(width=width + size[2] - size[0],
                                    height=height + size[3] - size[1])
        self._wait_for("return innerWidth == arguments[0] && innerHeight == arguments[1]",
                       width, height, seconds=5)
        self.run("return window[Symbol.for('webkit-driver-resized')]"
                 ".then(() => new Promise(done => requestAnimationFrame(() => done())))")

    def screenshot(self):
        # WebKitGTK captures the last frame it drew: one more is drawn first, with what the page
        # holds now.
        self.run("return new Promise(done => requestAnimationFrame(() =>"
                 " requestAnimationFrame(() => done())))")
        return self.driver.get_screenshot_as_png()

    def console_errors(self):
        return self.run("const take = window[Symbol.for('webkit-driver-console-errors')];"
                        "return take ? take() : [];")

    def quit(self):
        started = [self.display] + [getattr(self.service, "process", self.display)]
        left = processes.descendants([process.pid for process in started])
        try:
            if hasattr(self, "driver"):
                self.driver.quit()
        finally:
            self.service.stop()
            self.display.terminate()
            self.display.wait()
            processes.wait_for_end(left)
            shutil.rmtree(self.folder, ignore_errors=True)
