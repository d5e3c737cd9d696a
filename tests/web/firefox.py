"""Headless Firefox ESR driven over WebDriver BiDi, which Firefox speaks itself."""

import base64
import json
import os
import queue
import re
import shutil
import subprocess
import tempfile
import threading
import time

import websocket

import processes

# Keeps an offline machine quiet and the start fast: no updates, telemetry, studies, first-run
# pages, remote settings, safe browsing, captive portal or connectivity checks. Firefox itself
# refuses every connection beyond the loopback (MOZ_DISABLE_NONLOCAL_CONNECTIONS below).
QUIET_PREFS = {
    "app.update.disabledForTesting": True, "app.update.auto": False,
    "app.normandy.enabled": False, "app.normandy.api_url": "",
    "app.shield.optoutstudies.enabled": False,
    "messaging-system.rsexperimentloader.enabled": False,
    # a closed local port; a release build takes it only with MOZ_DISABLE_NONLOCAL_CONNECTIONS
    "services.settings.server": "http://127.0.0.1:9/v1",
    "browser.shell.checkDefaultBrowser": False, "browser.startup.page": 0,
    "browser.startup.homepage": "about:blank", "browser.startup.homepage_override.mstone": "ignore",
    "startup.homepage_welcome_url": "", "startup.homepage_welcome_url.additional": "",
    "browser.aboutwelcome.enabled": False, "browser.newtabpage.enabled": False,
    "browser.newtabpage.activity-stream.feeds.system.topstories": False,
    "browser.newtabpage.activity-stream.feeds.section.topstories": False,
    "browser.newtabpage.activity-stream.telemetry": False,
    "browser.topsites.contile.enabled": False, "browser.ping-centre.telemetry": False,
    "browser.sessionstore.resume_from_crash": False, "toolkit.startup.max_resumed_crashes": -1,
    "browser.tabs.warnOnClose": False, "browser.warnOnQuit": False,
    "browser.privatebrowsing.autostart": False,  # service workers need a normal window
    "datareporting.healthreport.uploadEnabled": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "datareporting.policy.dataSubmissionPolicyBypassNotification": True,
    "toolkit.telemetry.enabled": False, "toolkit.telemetry.unified": False,
    "toolkit.telemetry.archive.enabled": False, "toolkit.telemetry.server": "",
    "toolkit.telemetry.newProfilePing.enabled": False,
    "toolkit.telemetry.shutdownPingSender.enabled": False,
    "toolkit.telemetry.firstShutdownPing.enabled": False,
    "browser.safebrowsing.malware.enabled": False, "browser.safebrowsing.phishing.enabled": False,
    "browser.safebrowsing.downloads.enabled": False,
    "browser.safebrowsing.downloads.remote.enabled": False,
    "browser.safebrowsing.blockedURIs.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "network.captive-portal-service.enabled": False, "captivedetect.canonicalURL": "",
    "network.connectivity-service.enabled": False, "network.trr.mode": 5,
    "network.dns.disablePrefetch": True, "network.prefetch-next": False,
    "network.predictor.enabled": False, "network.http.speculative-parallel-limit": 0,
    "security.OCSP.enabled": 0, "extensions.update.enabled": False,
    "extensions.getAddons.cache.enabled": False, "extensions.systemAddon.update.enabled": False,
    "browser.search.update": False, "browser.region.update.enabled": False,
    "browser.region.network.url": "", "geo.provider.network.url": "",
    "media.gmp-manager.updateEnabled": False,
    "media.autoplay.default": 0, "media.autoplay.blocking_policy": 0,
    "media.cubeb.force_mock_context": True,  # a sound device that plays nowhere
    "dom.serviceWorkers.enabled": True,
}

COARSE, FINE, HOVER = 1, 2, 4  # Firefox's pointer capability bits

# The script's body inside a function that is called with the arguments given as one JSON string
# and gives its result back as JSON; BiDi itself evaluates it, whatever the page's own policy.
CALL = """function (encoded) {
  return Promise.resolve((function () {
%s
}).apply(window, JSON.parse(encoded))).then(function (result) {
    return result === undefined ? 'null' : JSON.stringify(result);
  });
}"""


class Driver:
    """One Firefox ESR with a fresh profile inside scratch, showing one page: owns the browser's
    processes, their profile folder and the BiDi connection that carries commands and events."""

    name = "firefox"

    def __init__(self, scratch, width, height, scale, touch):
        self.folder = tempfile.mkdtemp(prefix="firefox-", dir=scratch)
        self.profile = os.path.join(self.folder, "profile")
        os.mkdir(self.profile)
        self.scale = scale
        pointer = COARSE if touch else FINE | HOVER
        prefs = dict(QUIET_PREFS, **{"ui.primaryPointerCapabilities": pointer,
                                      "ui.allPointerCapabilities": pointer,
                                      "dom.w3c_touch_events.enabled": 1 if touch else 0})
        with open(os.path.join(self.profile, "user.js"), "w") as user_js:
            for key, value in prefs.items():
                user_js.write("user_pref(%s, %s);\n" % (json.dumps(key), json.dumps(value)))
        environment = dict(os.environ, HOME=self.folder, TMPDIR=self.folder,
                           MOZ_CRASHREPORTER_DISABLE="1", MOZ_DISABLE_NONLOCAL_CONNECTIONS="1")
        self.process, self.socket, self.next_id, self.events = None, None, 0, []
        try:
            self.process = subprocess.Popen(
                ["/usr/bin/firefox-esr", "--headless", "--no-remote", "--profile", self.profile,
                 "--remote-debugging-port=0"], stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=environment,
                start_new_session=True)
            self.socket = websocket.create_connection(self._address() + "/session", timeout=60,
                                                       suppress_origin=True)
            self.command("session.new", capabilities={})
            self.command("session.subscribe", events=["log.entryAdded"])
            self.context = self.command("browsingContext.getTree")["contexts"][0]["context"]
            self.resize(width, height)
        except BaseException:
            self.quit()
            raise

    def _address(self):
        # Firefox prints where it listens on standard error; the rest is drained unread so that
        # a full pipe never stops it.
        found = queue.Queue()

        def read():
            for line in self.process.stderr:
                match = re.search(rb"WebDriver BiDi listening on (ws://\S+)", line)
                if match:
                    found.put(match.group(1).decode())
            found.put(None)

        threading.Thread(target=read, daemon=True).start()
        address = found.get(timeout=60)
        if address is None:
            raise RuntimeError("Firefox ended before it listened")
        return address

    def command(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("type") == "event":
                self.events.append(message)
            elif message.get("id") == self.next_id:
                if message["type"] == "error":
                    raise RuntimeError("%s: %s: %s" % (method, message["error"],
                                                       message.get("message")))
                return message["result"]

    def navigate(self, url):
        self.command("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def reload(self):
        self.command("browsingContext.reload", context=self.context, wait="complete")

    def run(self, script, *arguments):
        result = self.command(
            "script.callFunction", functionDeclaration=CALL % script, awaitPromise=True,
            target={"context": self.context},
            arguments=[{"type": "string", "value": json.dumps(arguments)}])
        if result["type"] == "exception":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return json.loads(result["result"]["value"])

    def perform(self, sources):
        try:
            self.command("input.performActions", context=self.context, actions=sources)
        finally:
            self.command("input.releaseActions", context=self.context)

    def resize(self, width, height):
        self.command("browsingContext.setViewport", context=self.context,
                     viewport={"width": width, "height": height}, devicePixelRatio=self.scale)
        size = "return [innerWidth, innerHeight, devicePixelRatio];"
        deadline = time.monotonic() + 20
        while self.run(size) != [width, height, self.scale]:
            if time.monotonic() > deadline:
                raise RuntimeError("the viewport stays %r" % (self.run(size),))
            time.sleep(0.02)

    def screenshot(self):
        result = self.command("browsingContext.captureScreenshot", context=self.context,
                              origin="viewport")
        return base64.b64decode(result["data"])

    def console_errors(self):
        self.run("")  # brings in the events the page sent before now
        errors = [event["params"].get("text") or "" for event in self.events
                  if event["method"] == "log.entryAdded" and event["params"]["level"] == "error"]
        self.events = []
        return errors

    def quit(self):
        try:
            closed = False
            left = processes.descendants([self.process.pid]) if self.process else []
            if self.socket:
                try:
                    self.command("browser.close")
                    closed = True
                except (OSError, RuntimeError, websocket.WebSocketException):
                    pass  # a browser that failed to start or has ended already
                self.socket.close()
                self.socket = None
            if self.process:
                if not closed:
                    self.process.terminate()
                try:
                    self.process.wait(timeout=60)
                except subprocess.TimeoutExpired:
                    self.process.kill()
                    self.process.wait()
                processes.wait_for_end(left)  # content processes outlive the main one a moment
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)
