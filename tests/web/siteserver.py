"""The game's site served on a free local port, as a static host serves it."""

import functools
import http.server
import os
import threading


class Site:
    """Serves a folder at http://127.0.0.1:<free port>/ until closed.

    inject: a script put into index.html before any of the page's own (the test clock);
    max_age: seconds for which browsers may keep each file without asking again, as most hosts
    allow; blocked: names of files answered with 404 Not Found; held: names of files not
    answered until released, as a slow network holds them; isolated: the page is made
    cross-origin isolated, as a host that sends the headers for it does. The folder may be
    changed while the site is served (a new build put in place)."""

    def __init__(self, folder, inject=None, max_age=None, blocked=(), held=(), isolated=False):
        self.folder = folder
        self.isolated = isolated
        self.inject = inject
        self.max_age = max_age
        self.blocked = set(blocked)
        self.asked = {name: threading.Event() for name in held}
        self.released = {name: threading.Event() for name in held}
        self.server = QuietServer(("127.0.0.1", 0), functools.partial(Handler, self))
        self.url = "http://127.0.0.1:%d/" % self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def wait_until_asked(self, name, seconds=20):
        """Returns once the browser has asked for the held file."""
        if not self.asked[name].wait(seconds):
            raise AssertionError("the page never asked for " + name)

    def release(self, name):
        self.released[name].set()

    def close(self):
        """Stops serving and closes the port: a browser's next request finds no server."""
        if self.thread is None:
            return
        for released in self.released.values():
            released.set()
        self.server.shutdown()
        self.server.server_close()
        self.thread.join()
        self.thread = None

    def page(self):
        with open(os.path.join(self.folder, "index.html"), encoding="utf-8") as source:
            text = source.read()
        if self.inject:
            charset = '<meta charset="utf-8">'
            text = text.replace(charset, charset + "<script>" + self.inject + "</script>", 1)
        return text.encode("utf-8")


class QuietServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a browser that stops a download midway, as it does on leaving a page


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, site, *arguments, **keywords):
        self.site = site
        super().__init__(*arguments, directory=site.folder, **keywords)

    def log_message(self, *arguments):
        pass

    def end_headers(self):
        if self.site.max_age is not None:
            self.send_header("Cache-Control", "max-age=%d" % self.site.max_age)
        if self.site.isolated:
            self.send_header("Cross-Origin-Opener-Policy", "same-origin")
            self.send_header("Cross-Origin-Embedder-Policy", "require-corp")
        super().end_headers()

    def do_GET(self):
        name = self.path.split("?")[0].lstrip("/") or "index.html"
        if name in self.site.released:
            self.site.asked[name].set()
            self.site.released[name].wait()
        if name in self.site.blocked:
            self.send_error(404)
        elif name == "index.html":
            body = self.site.page()
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        else:
            super().do_GET()
