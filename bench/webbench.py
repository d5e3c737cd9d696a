#!/usr/bin/env python3
"""Measures the game's page in headless Chromium beside a bare page that draws the same picture
with plain canvas calls, and prints one table.

Usage: webbench.py SITE SCRATCH

- Time to first frame: from the start of navigation (the page's time origin) to the first
  animation frame in which the game window is shown with the face drawn; the HTTP cache and
  the service worker are bypassed, so every run fetches and compiles everything. 3 warm-ups,
  then 20 runs of each page, in turns.
- Bytes: what the page loads at 100 %, each file compressed with gzip -9.
- Ticks: a round at 250 ms started from the menu; each tick's lateness after the moment the
  program set the timer's interval + k x 250 ms, taken when the program moves the picture, and,
  for the record, once the tick's handler has returned (the last one opens the score box first).
  The site is served cross-origin isolated, where the page's timer sleeps on shared memory to
  the fraction of a millisecond; one more round, for the record, from a host that does not
  isolate it, where the timer sleeps with setTimeout for whole milliseconds.
"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile

sys.dont_write_bytecode = True  # nothing left in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from pagedriver import Page  # noqa: E402
from siteserver import Site  # noqa: E402

WARM_UPS = 3
RUNS = 20
INTERVAL = 250

# Notes the first animation frame that shows the game window with its face, and, for the
# round, the moment of the Start click and every move of the picture.
PROBE = """
(function () {
  const drawn = () => {
    const game = document.getElementById('game');
    const face = document.getElementById('picture');
    if (!game || game.hidden || !face)
      return false;
    const pixel = face.getContext('2d').getImageData(30, 60, 1, 1).data;
    return pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 0;
  };
  const look = () => drawn() ? (window.firstFrame = performance.now()) : requestAnimationFrame(look);
  requestAnimationFrame(look);
  // Each move of the picture, as the program sets its place, and once the handler that moved it
  // has returned (the picture's attributes changed).
  window.moves = [];
  window.handled = [];
  const style = Object.getOwnPropertyDescriptor(HTMLElement.prototype, 'style');
  Object.defineProperty(HTMLElement.prototype, 'style', Object.assign({}, style, {
    get() {
      const real = style.get.call(this);
      if (this.id != 'Picture1')
        return real;
      return new Proxy(real, {
        get: (target, name) => Reflect.get(target, name),
        set: (target, name, value) => {
          if (name == 'left')
            moves.push(performance.now());
          return Reflect.set(target, name, value);
        },
      });
    },
  }));
  document.addEventListener('DOMContentLoaded', () => {
    const picture = document.getElementById('Picture1');
    if (picture)
      new MutationObserver(() => handled.push(performance.now())).observe(picture,
                                                                          {attributes: true});
  });
})();
"""


def first_frames(page, site):
    driver = page.driver.selenium
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
    driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
    times = {"page": [], "bare": []}
    urls = {"page": site.url, "bare": site.url + "bare.html"}
    for run in range(WARM_UPS + RUNS):
        order = ("page", "bare") if run % 2 == 0 else ("bare", "page")
        for name in order:
            driver.get(urls[name])
            page.wait_for("window.firstFrame !== undefined", 30)
            if run >= WARM_UPS:
                times[name].append(page.run("return window.firstFrame"))
    return times["page"], times["bare"]


def loaded_bytes(page, folder):
    names = page.run("return [location.pathname].concat(performance.getEntriesByType('resource')"
                     ".map(e => new URL(e.name).pathname))")
    total = 0
    for name in set(names):
        name = name.lstrip("/") or "index.html"
        with open(os.path.join(folder, name), "rb") as source:
            total += len(gzip.compress(source.read(), 9, mtime=0))
    return total, sorted(set(names))


def tick_lateness(page):
    # The ticks' schedule starts when the program sets the timer's interval.
    page.run("const set = Module.pomvexaTimer;"
             "Module.pomvexaTimer = (ms) => {"
             "  if (ms > 0) window.started = performance.now();"
             "  set(ms);"
             "};")
    page.choose("nandu", "mnuimpossible")
    page.choose("mnuGame", "mnustartgame")
    page.wait_for("document.getElementById('message').open", 30)
    started, moves, handled = page.run("return [window.started, window.moves, window.handled]")
    lateness = [[when - (started + (k + 1) * INTERVAL) for k, when in enumerate(times)]
                for times in (moves, handled)]
    if os.environ.get("POMVEXA_BENCH_VERBOSE"):
        for name, late in zip(("moved", "handled"), lateness):
            print(f"lateness when {name}, ms:", " ".join(f"{value:.1f}" for value in late))
    return lateness


def main():
    site_folder, scratch = sys.argv[1], sys.argv[2]
    os.makedirs(scratch, exist_ok=True)
    served = tempfile.mkdtemp(prefix="webbench-", dir=scratch)
    try:
        shutil.copytree(site_folder, served, dirs_exist_ok=True)
        here = os.path.dirname(os.path.abspath(__file__))
        shutil.copy(os.path.join(here, "barepage.html"), os.path.join(served, "bare.html"))
        shutil.copy(os.path.join(here, "..", "resources", "face-visible.png"),
                    os.path.join(served, "face.png"))
        for isolated in (True, False):
            site = Site(served, isolated=isolated)
            page = Page(site, scratch)  # in Chromium, whose own protocol puts the probe in pages
            try:
                page.driver.selenium.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                                     {"source": PROBE})
                page.reload()
                if isolated:
                    size, names = loaded_bytes(page, served)
                    lateness, after_handler = tick_lateness(page)
                    game, bare = first_frames(page, site)
                else:
                    plain = tick_lateness(page)[0]
            finally:
                page.close()
                site.close()
    finally:
        shutil.rmtree(served, ignore_errors=True)

    def spread(values):
        return f"{min(values):.1f} / {statistics.median(values):.1f} / {max(values):.1f}"

    rows = []

    def row(name, mine, theirs="", ratio="", target="", met=None):
        verdict = "" if met is None else ("met" if met else "NOT MET")
        rows.append((name, mine, theirs, ratio, target, verdict))

    ratio = statistics.median(game) / statistics.median(bare)
    row("browser: first frame, ms (min / median / max)", spread(game), spread(bare),
        f"{ratio:.2f}", "median ≤ 1.2 ×", round(ratio, 2) <= 1.2)
    row("browser: bytes loaded, gzip", f"{size} ({len(names)} files)", target="< 102400",
        met=size < 102400)
    mean = statistics.mean(lateness)
    row("browser: ticks at 250 ms: late mean / max, ms, at the move",
        f"{mean:.2f} / {max(lateness):.2f}", target="mean < 1", met=mean < 1)
    row("browser: ticks at 250 ms: late mean / max, ms, after the handler",
        f"{statistics.mean(after_handler):.2f} / {max(after_handler):.2f}", target="for the record")
    row("browser: ticks at 250 ms, not isolated: late mean / max, ms, at the move",
        f"{statistics.mean(plain):.2f} / {max(plain):.2f}", target="for the record")
    drift = statistics.median(lateness[-10:]) - statistics.median(lateness[:10])
    row(f"browser: ticks at 250 ms: {len(lateness)} jumps, drift (last 10 - first 10), ms",
        f"{drift:.2f}", target="|drift| < 1", met=len(lateness) == 30 and abs(drift) < 1)

    header = ("measure", "Pomvexa page", "bare canvas page", "ratio", "target", "")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    for line in [header, tuple("-" * w for w in widths)] + rows:
        print(" | ".join(cell.ljust(width) for cell, width in zip(line, widths)).rstrip())


if __name__ == "__main__":
    main()
