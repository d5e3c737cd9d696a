#!/usr/bin/env python3
"""Measures the game's page in headless Chromium beside a bare page that draws the same picture
with plain canvas calls, and prints one table.

Usage: webbench.py SITE SCRATCH

- Time to first frame: from the start of navigation (the page's time origin) to the first
  animation frame in which the game window is shown with the face drawn; the HTTP cache and
  the service worker are bypassed, so every run fetches and compiles everything. 3 warm-ups,
  then 20 runs of each page, in turns. For the record, the same runs' time until the program
  runs (takes events), which on the bare page is its first frame.
- Hits: a round at 1000 ms started from the menu, the face clicked six times; for each hit,
  from the click event to the moment its tone starts, taken on the page's sound clock and put
  on the page's own through the sound's output timestamp; the first hit's beside the median of
  the later ones.
- Bytes: what the page loads at 100 % (not the manifest's icon, which the browser fetches for
  its own menus when it chooses), each file compressed with gzip -9; and the page itself
  as a server compresses it (gzip -6), which must come in the first round trip for the first
  paint to wait for nothing more.
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
    if (getComputedStyle(face).backgroundImage.indexOf('url(') >= 0)
      return true; // the game window's first picture
    const pixel = face.getContext('2d').getImageData(30, 60, 1, 1).data;
    return pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 0;
  };
  const look = () => drawn() ? (window.firstFrame = performance.now()) : requestAnimationFrame(look);
  requestAnimationFrame(look);
  new MutationObserver(() => {
    if (window.running === undefined && document.documentElement.classList.contains('running'))
      window.running = performance.now();
  }).observe(document, {attributes: true, attributeFilter: ['class'], subtree: true});
  // Each tone, with the time of the click that made it and the sound clock's time at which it
  // starts.
  let click = 0;
  window.tones = [];
  addEventListener('click', (event) => { click = event.timeStamp; }, true);
  const start = OscillatorNode.prototype.start;
  OscillatorNode.prototype.start = function (when) {
    tones.push({context: this.context, click: click, when: when});
    return start.apply(this, arguments);
  };
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
    times = {"page": [], "bare": [], "running": []}
    urls = {"page": site.url, "bare": site.url + "bare.html"}
    for run in range(WARM_UPS + RUNS):
        order = ("page", "bare") if run % 2 == 0 else ("bare", "page")
        for name in order:
            driver.get(urls[name])
            page.wait_for("window.firstFrame !== undefined", 30)
            if name == "page":
                page.wait_for("window.running !== undefined", 30)
            if run >= WARM_UPS:
                times[name].append(page.run("return window.firstFrame"))
                if name == "page":
                    times["running"].append(page.run("return window.running"))
    return times["page"], times["bare"], times["running"]


def hit_latency(page):
    """From each hit's click to its tone, ms: the first hit's, and the later ones'."""
    page.reload()
    page.choose("nandu", "mnueasy")
    page.choose("mnuGame", "mnustartgame")
    for _ in range(6):
        page.click("#Picture1")
    page.wait_for("window.tones.length == 6")
    latencies = page.run("""
        const stamp = tones[0].context.getOutputTimestamp();
        return tones.map((tone) =>
          stamp.performanceTime + (tone.when - stamp.contextTime) * 1000 - tone.click);""")
    return latencies[0], latencies[1:]


def loaded_bytes(page, folder):
    # What the browser fetches of its own accord (the manifest's icon, for its install menu, at
    # a time of its choosing) is left out, so that every run counts the same files.
    names = page.run("return [location.pathname].concat(performance.getEntriesByType('resource')"
                     ".filter(e => e.initiatorType != 'other').map(e => new URL(e.name).pathname))")
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
                    first_hit, later_hits = hit_latency(page)
                    game, bare, running = first_frames(page, site)
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
    row("browser: the program runs, ms (min / median / max)", spread(running),
        target="for the record")
    row("browser: bytes loaded, gzip", f"{size} ({len(names)} files)", target="< 102400",
        met=size < 102400)
    # What a server sends before it hears back from the browser on a new connection: ten
    # segments of 1460 bytes, less the response's headers.
    with open(os.path.join(site_folder, "index.html"), "rb") as source:
        first = len(gzip.compress(source.read(), 6, mtime=0))
    row("browser: the page itself, gzip -6", str(first), target="≤ 14000 (one round trip)",
        met=first <= 14000)
    later = statistics.median(later_hits)
    row("browser: click to tone, ms: first hit / later hits' median",
        f"{first_hit:.1f} / {later:.1f}", target="first ≤ later + 5", met=first_hit <= later + 5)
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
