"""The site kept by its service worker: played offline once loaded, and a new build reaching a
returning player through a host that lets browsers keep every file for ten minutes."""

import os
import re
import shutil
import subprocess
import tempfile
import unittest

from pagetest import HERE, SCRATCH, SITE, FakeClockTest

SOURCES = os.path.join(HERE, "..", "..", "web")
CONTROLLED = "navigator.serviceWorker.controller !== null"
CACHES = "return caches.keys()"


class OfflineTest(FakeClockTest):
    def test_a_player_who_loaded_the_site_once_plays_it_offline(self):
        self.page.wait_for(CONTROLLED)
        self.site.close()
        self.page.reload()
        self.page.choose("mnuGame", "mnustartgame")
        for _ in range(30):
            self.tick()
        self.assertEqual(self.page.text("message-text"), "你的成绩:0")


class UpdateTest(FakeClockTest):
    """The site served from a folder of its own, which a new build replaces."""

    max_age = 600

    def served(self):
        self.folder = tempfile.mkdtemp(prefix="site-", dir=SCRATCH)
        self.addCleanup(shutil.rmtree, self.folder, True)
        old = os.path.join(self.folder, "old")
        shutil.copytree(SITE, old)
        return old

    def build_again(self, marker):
        """A new build of the site: the page changed, and its service worker made again from
        the files, as the build makes it."""
        new = os.path.join(self.folder, "new")
        shutil.copytree(self.site.folder, new)
        page = os.path.join(new, "index.html")
        with open(page, encoding="utf-8") as source:
            text = source.read()
        with open(page, "w", encoding="utf-8") as target:
            target.write(text.replace("</head>", '<meta name="build" content="%s"></head>' % marker))
        with open(os.path.join(new, "sw.js"), encoding="utf-8") as worker:
            files = re.search(r"var FILES = \[(.*)\];", worker.read()).group(1)
        names = [name.strip(" '") for name in files.split(",")][1:]  # all but './'
        subprocess.run(["cmake", "-DSITE=" + new, "-DTEMPLATE=" + os.path.join(SOURCES, "sw.js.in"),
                        "-DFILES=" + ";".join(names), "-P",
                        os.path.join(SOURCES, "serviceworker.cmake")], check=True)
        return new

    def build(self):
        return self.page.run("const m = document.querySelector('meta[name=build]');"
                             "return m && m.content")

    def test_a_new_build_reaches_a_returning_player_within_two_reloads(self):
        self.page.wait_for(CONTROLLED)
        kept = self.page.run(CACHES)
        self.assertEqual(len(kept), 1)
        self.site.folder = self.build_again("new")

        self.page.reload()  # the old page, from the old worker, which finds the new one
        self.page.wait_for("caches.keys().then(k => k.length == 1 && k[0] != '%s')" % kept[0])
        self.page.reload()
        self.assertEqual(self.build(), "new")
        self.assertEqual(self.page.run(CACHES)[0][:8], "pomvexa-")


if __name__ == "__main__":
    unittest.main()
