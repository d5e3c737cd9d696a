#!/usr/bin/env python3
"""Lighthouse's mobile scores of the game's page beside the bare canvas page, served by nginx as
a static host serves them, and one table.

Usage: lighthouse.py SITE SCRATCH

- The server: Debian's nginx, run by this script in the foreground as the current user, with its
  configuration, logs and pid file in a folder of SCRATCH, on a free port of 127.0.0.1; gzip for
  the text types, WebAssembly and bitmaps, application/wasm for .wasm and
  application/manifest+json for .webmanifest, and Cache-Control: max-age=600 on every file.
- The runs: Lighthouse's default mobile run (simulated throttling: a mid-range phone on slow 4G
  with a 4 x slower processor) in Debian's Chromium, three of each page, in turns, each in a
  fresh profile; each run's largest contentful paint is set beside the bare page's run that
  came with it. Lighthouse is the one bench/package-lock.json pins, which ./dev bench installs
  into build-tools/lighthouse/. Each run's JSON report is kept in SCRATCH/lighthouse-reports/.
"""
import json
import os
import pwd
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
LIGHTHOUSE = os.path.join(HERE, "..", "build-tools", "lighthouse", "node_modules", ".bin",
                          "lighthouse")
RUNS = 3
# As tests/web/pagedriver.py starts Chromium on this machine; Lighthouse sets the window's size,
# the screen and the profile itself.
CHROME_FLAGS = ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                "--no-first-run", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--disable-dev-shm-usage",
                "--hide-scrollbars", "--autoplay-policy=no-user-gesture-required")
CATEGORIES = (("performance", "performance"), ("accessibility", "accessibility"),
              ("best-practices", "best practices"), ("seo", "SEO"))

NGINX_CONFIG = """\
{user}worker_processes 1;
daemon off;
pid {folder}/nginx.pid;
error_log {folder}/error.log;
events {{ worker_connections 64; }}
http {{
    include /etc/nginx/mime.types;
    types {{ application/manifest+json webmanifest; }}
    default_type application/octet-stream;
    access_log {folder}/access.log;
    client_body_temp_path {folder}/body;
    proxy_temp_path {folder}/proxy;
    fastcgi_temp_path {folder}/fastcgi;
    uwsgi_temp_path {folder}/uwsgi;
    scgi_temp_path {folder}/scgi;
    sendfile on;
    charset utf-8;
    gzip on;
    gzip_vary on;
    gzip_comp_level 6;
    gzip_types text/plain text/css text/xml application/javascript application/json
               application/manifest+json application/wasm image/svg+xml image/x-ms-bmp;
    server {{
        listen 127.0.0.1:{port};
        root {site};
        index index.html;
        add_header Cache-Control "max-age=600" always;
    }}
}}
"""


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Nginx:
    """An nginx of this script's own serving a folder at http://127.0.0.1:<port>/ until
    closed; its configuration, logs and pid file are in folder."""

    def __init__(self, site, folder):
        user = ""
        if os.geteuid() == 0:  # a root master would hand its workers to nobody
            user = "user %s;\n" % pwd.getpwuid(0).pw_name
        config = os.path.join(folder, "nginx.conf")
        self.pid_file = os.path.join(folder, "nginx.pid")
        for _ in range(5):  # another program may take the free port before nginx does
            port = free_port()
            with open(config, "w") as out:
                out.write(NGINX_CONFIG.format(user=user, folder=folder, port=port, site=site))
            self.process = subprocess.Popen(
                ["/usr/sbin/nginx", "-p", folder, "-c", config, "-e", folder + "/error.log"],
                stdin=subprocess.DEVNULL)
            if self._answers(port):
                self.url = "http://127.0.0.1:%d/" % port
                return
        with open(os.path.join(folder, "error.log")) as log:
            raise RuntimeError("nginx did not start:\n" + log.read())

    def _answers(self, port):
        """Waits until nginx has written its pid file, which it does once it listens, and
        accepts a connection; False once it has exited (it could not listen on the port)."""
        deadline = time.monotonic() + 30
        while self.process.poll() is None:
            if time.monotonic() > deadline:
                self.close()
                raise RuntimeError("nginx started but never answered")
            try:
                with open(self.pid_file) as source:
                    written = source.read().strip() == str(self.process.pid)
                if written:
                    socket.create_connection(("127.0.0.1", port), timeout=5).close()
                    return True
            except OSError:
                pass
            time.sleep(0.02)
        return False

    def close(self):
        self.process.terminate()
        self.process.wait(30)


def lighthouse(url, report, folder):
    """One Lighthouse run of url into the JSON file report; Chromium's profile and temporary
    files are made in folder."""
    os.makedirs(folder)
    environment = dict(os.environ, CHROME_PATH="/usr/bin/chromium", TMPDIR=folder, HOME=folder)
    subprocess.run([LIGHTHOUSE, url, "--output=json", "--output-path=" + report, "--quiet",
                    "--no-enable-error-reporting", "--chrome-flags=" + " ".join(CHROME_FLAGS)],
                   env=environment, stdin=subprocess.DEVNULL, check=True)
    shutil.rmtree(folder, ignore_errors=True)
    with open(report) as source:
        return json.load(source)


def failed_audits(result, category):
    """The scored audits of a category that did not pass: (title, score or None for a
    pass-or-fail audit)."""
    audits = result["audits"]
    failed = []
    for ref in result["categories"][category]["auditRefs"]:
        audit = audits[ref["id"]]
        if ref["weight"] > 0 and audit["score"] is not None and audit["score"] < 1:
            graded = audit["scoreDisplayMode"] in ("numeric", "metricSavings")
            failed.append((audit["title"], audit["score"] if graded else None))
    return failed


def measures(result):
    values = {name: result["categories"][key]["score"] for key, name in CATEGORIES}
    values["LCP"] = result["audits"]["largest-contentful-paint"]["numericValue"]
    values["TBT"] = result["audits"]["total-blocking-time"]["numericValue"]
    values["CLS"] = result["audits"]["cumulative-layout-shift"]["numericValue"]
    # Lighthouse's own measure of the processor's speed at the time, which its simulated
    # timings scale with; a busy machine shows here first.
    values["index"] = result["environment"]["benchmarkIndex"]
    return values


def main():
    site_folder, scratch = sys.argv[1], os.path.abspath(sys.argv[2])
    if not os.access(LIGHTHOUSE, os.X_OK):
        sys.exit("no Lighthouse at %s: ./dev bench installs it" % os.path.normpath(LIGHTHOUSE))
    os.makedirs(scratch, exist_ok=True)
    reports = os.path.join(scratch, "lighthouse-reports")
    shutil.rmtree(reports, ignore_errors=True)
    os.makedirs(reports)
    folder = tempfile.mkdtemp(prefix="lighthouse-", dir=scratch)
    served = os.path.join(folder, "site")
    results = {"page": [], "bare": []}
    try:
        shutil.copytree(site_folder, served)
        shutil.copy(os.path.join(HERE, "barepage.html"), os.path.join(served, "bare.html"))
        shutil.copy(os.path.join(HERE, "..", "resources", "face-visible.png"),
                    os.path.join(served, "face.png"))
        server = Nginx(served, folder)
        try:
            urls = {"page": server.url, "bare": server.url + "bare.html"}
            for run in range(RUNS):
                for name in ("page", "bare") if run % 2 == 0 else ("bare", "page"):
                    report = os.path.join(reports, "%s-%d.json" % (name, run + 1))
                    profile = os.path.join(folder, "%s-%d" % (name, run + 1))
                    results[name].append(lighthouse(urls[name], report, profile))
        finally:
            server.close()
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    print_table(results)
    print("reports:", reports)


def print_table(results):
    page = [measures(result) for result in results["page"]]
    bare = [measures(result) for result in results["bare"]]
    rows = []

    def row(name, key, form, target="", met=None):
        cells = [name]
        for runs in (page, bare):
            cells += [" ".join(form(values[key]) for values in runs),
                      form(statistics.median(values[key] for values in runs))]
        verdict = "" if met is None else (
            "met" if all(met(values[key]) for values in page) else "NOT MET")
        rows.append(tuple(cells) + (target, verdict))

    def score(value):
        return "%.2f" % value

    def whole(value):
        return "%.0f" % value

    row("performance score", "performance", score, "≥ 0.95 each run",
        lambda value: round(value, 2) >= 0.95)
    for _, name in CATEGORIES[1:]:
        row(name + " score", name, score, "1.00 each run", lambda value: round(value, 2) >= 1)
    row("largest contentful paint, ms", "LCP", whole, "for the record")
    ratios = [mine["LCP"] / theirs["LCP"] for mine, theirs in zip(page, bare)]
    rows.append(("largest contentful paint, page / bare page", " ".join(score(r) for r in ratios),
                 score(statistics.median(ratios)), "", "", "≤ 1.20 each run",
                 "met" if all(round(r, 2) <= 1.2 for r in ratios) else "NOT MET"))
    row("cumulative layout shift", "CLS", score, "0 each run", lambda value: value == 0)
    row("total blocking time, ms", "TBT", whole, "< 100 each run", lambda value: value < 100)
    row("the machine's speed (benchmark index)", "index", whole, "for the record")

    header = ("Lighthouse, mobile", "Pomvexa page: runs", "median", "bare canvas page: runs",
              "median", "target", "")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    for line in [header, tuple("-" * w for w in widths)] + rows:
        print(" | ".join(cell.ljust(width) for cell, width in zip(line, widths)).rstrip())

    # Why a category is below 1.00: its failed audits, with their scores run by run where an
    # audit is graded, and in how many runs where not in all.
    for label, runs in (("Pomvexa page", results["page"]), ("bare canvas page", results["bare"])):
        for key, name in CATEGORIES:
            failed = {}
            for result in runs:
                if round(result["categories"][key]["score"], 2) >= 1:
                    continue
                for title, value in failed_audits(result, key):
                    failed.setdefault(title, []).append(value)
            if not failed:
                continue
            notes = []
            for title, values in failed.items():
                if values[0] is not None:
                    title += " (" + " ".join(score(value) for value in values) + ")"
                if len(values) < len(runs):
                    title += " [%d of %d runs]" % (len(values), len(runs))
                notes.append(title)
            print("%s, %s below 1.00: %s" % (label, name, "; ".join(notes)))
        # Audits that Lighthouse could not run with this browser, so that a missing finding
        # is not taken for a pass.
        errors = {}
        for result in runs:
            for audit_id, audit in result["audits"].items():
                if audit["scoreDisplayMode"] == "error":
                    errors.setdefault(audit_id, audit.get("errorMessage", ""))
        if errors:
            # A gatherer's failure is repeated by every audit that needs it; one's own is the
            # cause.
            causes = [message for message in errors.values() if not message.startswith("Req")]
            print("%s, audits that could not run: %s (%s)" % (
                label, ", ".join(sorted(errors)), (causes or list(errors.values()))[0]))


if __name__ == "__main__":
    main()
