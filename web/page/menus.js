// The game window's menu bar, as a menu bar of a desktop works and as assistive technology
// knows it: a click or a tap on a title opens its menu and a tap on another title switches to
// that one; with a mouse, pointing at another title while a menu is open switches too. From
// the keyboard the titles are one stop of the Tab order: Left and Right go from title to title
// (and from menu to menu while one is open), Down, Up, Enter and Space open a menu, Up and Down
// go through its items, Home and End to the first and last, Enter and Space choose, and Esc
// closes the menu with the focus back on its title. A menu closes when the focus or a press
// leaves the menu bar.
(function (page) {
  'use strict';

  var bar = document.querySelector('[role=menubar]');
  var titles = Array.from(bar.querySelectorAll('.title'));
  // A touch is under way, with the mouse events a browser makes of it still to come: they are
  // no mouse pointing at a title. Nor is anything where the main pointer cannot hover (a
  // phone), whose browser may move the mouse pointer to where a finger is about to tap.
  var touching = false;
  var hovering = matchMedia('(hover: hover)');

  function itemsOf(title) { return title.nextElementSibling; }
  function entries(title) { return Array.from(itemsOf(title).querySelectorAll('button')); }
  function openTitle() { return titles.find(function (t) { return !itemsOf(t).hidden; }); }

  // The title that the Tab order reaches is the one used last.
  function makeCurrent(title) {
    titles.forEach(function (t) { t.tabIndex = t == title ? 0 : -1; });
  }

  page.closeMenus = function () {
    titles.forEach(function (title) {
      itemsOf(title).hidden = true;
      title.setAttribute('aria-expanded', 'false');
    });
  };

  // Opens the title's menu; which entry takes the focus: 'first', 'last' or none.
  function open(title, focus) {
    if (openTitle() != title) {
      page.closeMenus();
      itemsOf(title).hidden = false;
      title.setAttribute('aria-expanded', 'true');
    }
    makeCurrent(title);
    var list = entries(title);
    if (focus)
      list[focus == 'first' ? 0 : list.length - 1].focus();
    else
      title.focus();
  }

  function neighbour(list, element, step) {
    return list[(list.indexOf(element) + step + list.length) % list.length];
  }

  function titleKey(title, event) {
    var opened = openTitle();
    switch (event.key) {
    case 'ArrowRight':
    case 'ArrowLeft':
      var next = neighbour(titles, title, event.key == 'ArrowRight' ? 1 : -1);
      opened ? open(next, 'first') : (makeCurrent(next), next.focus());
      return true;
    case 'Home':
    case 'End':
      var end = titles[event.key == 'Home' ? 0 : titles.length - 1];
      makeCurrent(end);
      end.focus();
      return true;
    case 'ArrowDown':
    case 'Enter':
    case ' ':
      open(title, 'first');
      return true;
    case 'ArrowUp':
      open(title, 'last');
      return true;
    case 'Escape':
      if (!opened)
        return false;
      page.closeMenus();
      return true;
    }
    return false;
  }

  function itemKey(title, item, event) {
    var list = entries(title);
    switch (event.key) {
    case 'ArrowDown':
    case 'ArrowUp':
      neighbour(list, item, event.key == 'ArrowDown' ? 1 : -1).focus();
      return true;
    case 'Home':
    case 'End':
      list[event.key == 'Home' ? 0 : list.length - 1].focus();
      return true;
    case 'ArrowRight':
    case 'ArrowLeft':
      open(neighbour(titles, title, event.key == 'ArrowRight' ? 1 : -1), 'first');
      return true;
    case 'Escape':
      page.closeMenus();
      title.focus();
      return true;
    case 'Enter':
    case ' ':
      item.click();
      return true;
    }
    if (page.isTab(event))
      page.closeMenus();
    return false;
  }

  function wireTitle(title) {
    title.addEventListener('click', function (event) {
      if (openTitle() == title && event.detail != 0)
        page.closeMenus();
      else
        open(title, event.detail == 0 ? 'first' : null);
    });
    title.addEventListener('pointerenter', function (event) {
      var opened = openTitle();
      if (event.pointerType == 'mouse' && hovering.matches && !touching && opened &&
          opened != title)
        open(title, null);
    });
  }

  titles.forEach(wireTitle);
  bar.addEventListener('keydown', function (event) {
    if (event.altKey || event.ctrlKey || event.metaKey)
      return;
    var title = event.target.closest('.menu').querySelector('.title');
    var handled = event.target == title ? titleKey(title, event) :
      itemKey(title, event.target, event);
    if (handled) {
      event.preventDefault();
      event.stopPropagation();
    }
  });
  // A mouse pointing at an item gives it the focus, as the arrow keys do.
  bar.addEventListener('pointermove', function (event) {
    var item = event.target.closest('.items button');
    if (event.pointerType == 'mouse' && item && document.activeElement != item)
      item.focus();
  });
  // Touch shows no hover highlight on the titles; a touch's own mouse events end with its
  // click.
  bar.addEventListener('touchstart', function () {
    touching = true;
    bar.classList.add('touched');
  }, {passive: true});
  bar.addEventListener('pointerdown', function (event) {
    if (event.pointerType != 'mouse')
      bar.classList.add('touched');
  });
  bar.addEventListener('click', function () { touching = false; });
  bar.addEventListener('mousemove', function () {
    if (!touching)
      bar.classList.remove('touched');
  });
  bar.addEventListener('focusout', function (event) {
    if (!bar.contains(event.relatedTarget))
      page.closeMenus();
  });
  document.addEventListener('pointerdown', function (event) {
    if (!bar.contains(event.target))
      page.closeMenus();
  });
})(Module.page);
