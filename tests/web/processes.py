"""Waiting for the processes a browser started to end."""

import os
import time


def running(marker):
    """The ids of the processes whose command line holds marker (a profile folder)."""
    found = []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % name, "rb") as source:
                if marker.encode() in source.read():
                    found.append(int(name))
        except OSError:
            pass  # it ended meanwhile
    return found


def wait_for_end(marker, seconds=20):
    """Returns once no process names marker, so that its folder may be removed."""
    deadline = time.monotonic() + seconds
    while running(marker):
        if time.monotonic() > deadline:
            raise AssertionError("processes of %s did not end: %s" % (marker, running(marker)))
        time.sleep(0.05)
