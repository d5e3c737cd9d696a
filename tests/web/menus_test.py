"""The menu bar worked from the keyboard alone, and what assistive technology is told of the
menus, the windows, the boxes and the face."""

import unittest

from selenium.webdriver.common.keys import Keys

from pagetest import FakeClockTest

# What the page says of each menu: whether it is open, and which entry has the focus.
STATE = """
return [...document.querySelectorAll('[role=menubar] .title')].map(title =>
  title.getAttribute('aria-expanded') == 'true' ? title.textContent : null)
  .filter(Boolean).concat([document.activeElement.id || document.activeElement.textContent]);
"""

# An element's accessible name as its text gives it: its text and the generated content of
# every part not hidden from assistive technology.
NAME = """
const named = (element) => {
  if (element.nodeType == Node.TEXT_NODE)
    return element.textContent;
  if (element.getAttribute('aria-hidden') == 'true')
    return '';
  const generated = (where) => {
    const content = getComputedStyle(element, where).content;
    return content.startsWith('"') ? JSON.parse(content) : '';
  };
  return generated('::before') + [...element.childNodes].map(named).join('') + generated('::after');
};
const element = document.getElementById(arguments[0]);
const labels = element.getAttribute('aria-labelledby');
return labels ? labels.split(' ').map(id => named(document.getElementById(id))).join(' ')
              : element.getAttribute('aria-label') || named(element);
"""


class MenuKeysTest(FakeClockTest):
    def keys(self, *keys):
        for key in keys:
            self.page.press(key)
        return self.page.run(STATE)

    def test_a_menu_is_worked_by_keys_alone(self):
        self.assertEqual(self.keys(Keys.TAB), ["游戏(G)"])
        self.assertEqual(self.keys(Keys.ARROW_RIGHT), ["难度"])
        self.assertEqual(self.keys(Keys.ARROW_DOWN), ["难度", "mnueasy"])
        self.assertEqual(self.keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN), ["难度", "mnuhard"])
        self.assertEqual(self.keys(Keys.HOME), ["难度", "mnueasy"])
        self.assertEqual(self.keys(Keys.ARROW_UP), ["难度", "mnuimpossible"], "round to the end")
        self.assertEqual(self.keys(Keys.ARROW_UP, Keys.END), ["难度", "mnuimpossible"])
        self.keys(Keys.ENTER)
        self.assertEqual(self.checked(), ["mnuimpossible"])
        self.assertEqual(self.page.run(STATE), ["game"], "chosen, closed, back in the window")

        self.assertEqual(self.keys(Keys.TAB), ["难度"], "the title used last")
        self.assertEqual(self.keys(Keys.ENTER), ["难度", "mnueasy"])
        self.assertEqual(self.keys(Keys.ESCAPE), ["难度"])
        self.assertEqual(self.keys(Keys.ARROW_LEFT, Keys.ARROW_UP), ["游戏(G)", "mnuexit"])
        self.assertEqual(self.keys(Keys.ARROW_RIGHT), ["难度", "mnueasy"])
        self.assertEqual(self.keys(Keys.ARROW_RIGHT, Keys.ARROW_RIGHT), ["游戏(G)", "mnustartgame"])
        self.keys(Keys.SPACE)
        self.assertEqual(self.next_tick(), self.page.run("return testClock.now()") + 250)
        self.assertEqual(self.keys(Keys.F10, Keys.ARROW_DOWN), ["游戏(G)", "mnustartgame"])
        self.assertEqual(self.keys(Keys.TAB), ["游戏(G)"], "Tab closes the menu")

    def test_a_menu_closes_when_a_press_leaves_it(self):
        self.page.click("#bz > .title")
        self.assertEqual(self.page.run(STATE)[:1], ["帮助"])
        self.page.click("#playfield", at=(300, 300))
        self.assertEqual(self.page.run(STATE)[:-1], [])


class AssistiveTechnologyTest(FakeClockTest):
    def name(self, element_id):
        return self.page.run(NAME, element_id)

    def test_menus_windows_boxes_and_the_face_are_named_as_on_a_desktop(self):
        page = self.page
        titles = page.run("return [...document.querySelectorAll('[role=menubar] > .menu > "
                          "[role=menuitem]')].map(t => [t.getAttribute('aria-haspopup'), "
                          "t.getAttribute('aria-expanded')])")
        self.assertEqual(titles, [["menu", "false"]] * 3)
        levels = ["mnueasy", "mnumoderate", "mnuhard", "mnuimpossible"]
        self.assertEqual([page.run("return document.getElementById(arguments[0])"
                                   ".getAttribute('role')", i) for i in levels],
                         ["menuitemcheckbox"] * 4)
        self.assertEqual([self.name(i) for i in levels], ["简单", "中等", "困难", "艰难"])
        self.assertEqual(self.name("mnustartgame"), "开始(S)")
        self.assertEqual([self.name("playfield"), self.name("Picture1")], ["游戏区", "笑脸"])
        self.assertEqual(page.run("return document.getElementById('Picture1').tabIndex"), -1)

        page.choose("bz", "about-item")
        self.assertEqual(page.run("return document.getElementById('about').tagName"), "DIALOG")
        self.assertEqual(self.name("about"), "关于 Pomvexa")
        page.click("#cmdSysInfo")
        self.assertEqual(page.run("const m = document.getElementById('message');"
                                  "return [m.getAttribute('role'), m.matches(':modal')]"),
                         ["alertdialog", True])
        self.assertEqual(self.name("message"), "Pomvexa")
        self.assertEqual(page.text(page.run("return document.getElementById('message')"
                                            ".getAttribute('aria-describedby')")),
                         "此时系统信息不可用")
        page.press(Keys.ENTER)

        # a key never scores: the face is no stop of the Tab order, and keys on it do nothing
        page.choose("mnuGame", "mnustartgame")
        page.run("document.getElementById('Picture1').focus()")
        for key in (Keys.ENTER, Keys.SPACE):
            page.press(key)
        self.assertEqual(self.beeps(), 0)


if __name__ == "__main__":
    unittest.main()
