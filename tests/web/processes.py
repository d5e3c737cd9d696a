"""Waiting for the processes a browser started to end, so that their folder may be removed."""

import os
import signal
import time


def _stat(pid):
    """The state and the parent of a process, or None once it is gone."""
    try:
        with open("/proc/%s/stat" % pid) as stat:
            state, parent = stat.read().rsplit(")", 1)[1].split()[:2]
            return state, int(parent)
    except OSError:
        return None


def _all():
    return [int(name) for name in os.listdir("/proc") if name.isdigit()]


def named(marker):
    """The processes whose command line holds marker (a profile folder)."""
    found = []
    for pid in _all():
        try:
            with open("/proc/%d/cmdline" % pid, "rb") as source:
                if marker.encode() in source.read():
                    found.append(pid)
        except OSError:
            pass  # it ended meanwhile
    return found


def descendants(pids):
    """The processes below these, now: the children, theirs, and so on."""
    parents = {pid: stat[1] for pid, stat in ((pid, _stat(pid)) for pid in _all()) if stat}
    found = [pid for pid, parent in parents.items() if parent in pids]
    return found + descendants(found) if found else []


def _ended(pid):
    try:
        return os.waitpid(pid, os.WNOHANG)[0] == pid
    except ChildProcessError:  # gone, or another process's child: ended once a zombie
        stat = _stat(pid)
        return stat is None or stat[0] == "Z"


def wait_for_end(pids, seconds=20):
    """Returns once each of the processes has ended; one still running after the time given is
    killed."""
    deadline = time.monotonic() + seconds
    for pid in pids:
        while not _ended(pid):
            if time.monotonic() > deadline:
                try:
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            time.sleep(0.01)
