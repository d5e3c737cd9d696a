"""A phone's touch screen for WebKitGTK, which Xvfb cannot give: an Xorg with a touchscreen
that the driver feeds, and the library that makes GTK's seat a phone's (touchscreen_pointer.c)."""

import os
import socket
import struct
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
SCREEN = 2704  # device pixels each way: room for an 844 px window at scale 3 and its toolbar
# Xorg with a touchscreen, whose touches the inputtest driver reads from a socket.
XORG_CONF = """Section "ServerFlags" Option "AutoAddDevices" "false" EndSection
Section "Device" Identifier "card" Driver "dummy" VideoRam 65536 EndSection
Section "Monitor" Identifier "monitor" HorizSync 1-2000 VertRefresh 1-200
 Modeline "screen" 90.96 2704 2760 3024 3344 2704 2705 2708 2720 -HSync +Vsync EndSection
Section "Screen" Identifier "screen" Device "card" Monitor "monitor"
 SubSection "Display" Depth 24 Modes "screen" EndSubSection EndSection
Section "InputDevice" Identifier "touchscreen" Driver "inputtest"
 Option "DeviceType" "Touch" Option "SocketPath" "%s" EndSection
Section "ServerLayout" Identifier "layout" Screen "screen" InputDevice "touchscreen" EndSection
"""
# Logs the touch events that reach the page and the mouse events WebKit derives from them, and
# tells whether the last touch's have all arrived.
TOUCH_LOG = """const key = Symbol.for('webkit-driver-touches');
const seen = window[key] || (window[key] = {page: Math.random(), log: []});
if (!arguments.length) {
  for (const type of seen.listening ? [] : ['touchstart', 'touchmove', 'touchend', 'touchcancel', 'mousemove', 'mouseup'])
    addEventListener(type, event => seen.log.push({type, event}), {capture: true, passive: true});
  seen.listening = true;
  return [seen.page, seen.log.length];
}
const [page, from, count] = arguments, log = seen.log.slice(from), types = log.map(e => e.type);
if (seen.page != page) return true;
if (types.filter(type => /touch(start|end|cancel)/.test(type)).length < count) return false;
// WebKit follows a touchend that nothing handled, lifting the last finger, with the mouse's
// events: a mouseup after a tap, a mousemove after a drag.
const end = types.lastIndexOf('touchend'), start = types.lastIndexOf('touchstart', end);
if (end < 0 || log[end].event.defaultPrevented || log[end].event.touches.length) return true;
const moved = types.slice(start, end).includes('touchmove');
return types.slice(end).includes(moved ? 'mousemove' : 'mouseup');"""



def library(scratch):
    """The touchscreen_pointer library: CMake's build of it, or one built into scratch."""
    source = os.path.join(HERE, "touchscreen_pointer.c")
    path = os.environ.get("POMVEXA_WEBKIT_TOUCH_LIBRARY") or scratch + "/libtouchscreen_pointer.so"
    if not os.path.exists(path) or os.path.getmtime(path) < os.path.getmtime(source):
        part = "%s.%d" % (path, os.getpid())
        subprocess.run(["cc", "-shared", "-fPIC", "-O2", "-o", part, source, "-ldl"], check=True)
        os.replace(part, path)
    return path


class Touchscreen:
    """The X server's touchscreen, fed through the inputtest driver's socket (protocol 1.1)."""

    def __init__(self, path):
        self.socket = socket.socket(socket.AF_UNIX)
        self.socket.connect(path)
        self._ask(struct.pack("=IiHH", 12, 0, 1, 1), 12)

    def _ask(self, message, answer):
        self.socket.sendall(message)
        if len(self.socket.recv(answer, socket.MSG_WAITALL)) != answer:
            raise ConnectionError("the X server closed the touchscreen")

    def touch(self, touch_id, kind, x, y):
        """kind: 18 begins a touch, 19 moves it, 20 ends it; x, y: 0..1 across the screen."""
        valuators = struct.pack("@I8B4x128d", 0, 3, *[0] * 7, x * 0xffff, y * 0xffff, *[0.0] * 126)
        self.socket.sendall(struct.pack("@IiII", 1056, 6, touch_id, kind) + valuators)

    def sync(self):
        """Returns once the X server has handled every touch sent."""
        self._ask(struct.pack("=Ii", 8, 1), 8)
