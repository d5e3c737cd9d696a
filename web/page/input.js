// Clicks and keys, handed to the program as its windows' events. Keys go to the active window
// only: Ctrl+N starts a round while the game window is active, and F10 takes the focus to its
// menu bar; in the About box Esc is OK, Enter is OK or, on System Info, System Info, and Alt+S
// is System Info, wherever in the box the focus is. Tab and Shift+Tab go round the active
// window's own controls and never leave it. The face takes clicks and taps only: no key scores.
(function (page) {
  'use strict';

  // The controls that Tab goes through in a window, in their order.
  function tabStops(window) {
    if (window.id == 'about')
      return ['cmdOK', 'picIcon', 'cmdSysInfo'].map(page.byId);
    return Array.from(window.querySelectorAll('.title')).filter(function (title) {
      return title.tabIndex == 0;
    });
  }

  function tab(window, backwards) {
    var stops = tabStops(window);
    var at = stops.indexOf(document.activeElement);
    var next = at < 0 ? (backwards ? stops.length - 1 : 0) :
      (at + (backwards ? -1 : 1) + stops.length) % stops.length;
    stops[next].focus();
  }

  function isKey(event, key, modifier) {
    var modifiers = {ctrl: event.ctrlKey, alt: event.altKey};
    return (event.key || '').toLowerCase() == key && !event.metaKey && !event.shiftKey &&
      modifiers.ctrl == (modifier == 'ctrl') && modifiers.alt == (modifier == 'alt');
  }

  function gameKey(window, event) {
    if (isKey(event, 'n', 'ctrl')) {
      page.send('start');
      return true;
    }
    if (event.key == 'F10' && !event.ctrlKey && !event.altKey && !event.shiftKey) {
      tabStops(window)[0].focus();
      return true;
    }
    return false;
  }

  function aboutKey(event) {
    if (event.key == 'Escape')
      page.send('aboutOk');
    else if (event.key == 'Enter' && !event.altKey && !event.ctrlKey)
      page.send(document.activeElement == page.byId('cmdSysInfo') ? 'aboutSysInfo' : 'aboutOk');
    else if (isKey(event, 's', 'alt'))
      page.send('aboutSysInfo');
    else
      return false;
    return true;
  }

  function onKey(event) {
    var window = page.activeWindow();
    if (page.messageOpen() || !window || event.defaultPrevented)
      return;
    var handled;
    if (page.isTab(event) && !event.ctrlKey && !event.altKey && !event.metaKey) {
      tab(window, event.shiftKey);
      handled = true;
    } else {
      handled = window.id == 'game' ? gameKey(window, event) : aboutKey(event);
    }
    if (handled)
      event.preventDefault();
  }

  document.querySelectorAll('[data-event]').forEach(function (element) {
    element.addEventListener('click', function (event) {
      event.stopPropagation();
      // A menu's item chosen, the keys go back to its window, as before the menu was opened.
      if (element.closest('.items'))
        element.closest('.window').focus();
      page.closeMenus();
      page.send(element.dataset.event);
    });
  });
  page.byId('Picture1').addEventListener('click', function () { page.send('pictureClick'); });
  document.addEventListener('keydown', onKey);
})(Module.page);
