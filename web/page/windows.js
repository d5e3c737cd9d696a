// The program's windows and boxes: which window is loaded and which is active (takes the keys
// and shows its title bar as active), the modal message box, and the notice once no window is
// loaded. The About box is a dialog that stands above the game window, as a dialog stands above
// the window it came from, so that the game window never hides it.
(function (page) {
  'use strict';

  var active = null;

  page.activeWindow = function () { return active; };

  page.isLoaded = function (window) {
    return window.tagName == 'DIALOG' ? window.open : !window.hidden;
  };

  page.windows = function () {
    return [page.byId('game'), page.byId('about')].filter(page.isLoaded);
  };

  page.messageOpen = function () { return page.byId('message').open; };

  // Where the keys go in a window brought to the front: where they went last in it, if that is
  // still there, else its default button, else the window itself.
  function focusInside(window) {
    var last = window.lastFocus;
    var target = last && window.contains(last) && last.offsetParent ? last :
      window.querySelector('.default') || window;
    target.focus();
  }

  page.activate = function (window, focus) {
    if (active != window) {
      if (active)
        active.classList.remove('active');
      active = window;
      if (window)
        window.classList.add('active');
    }
    if (window && focus && !window.contains(document.activeElement))
      focusInside(window);
  };

  Module.pomvexaShowWindow = function (window, shown) {
    if (window.tagName == 'DIALOG') {
      if (shown && !window.open)
        window.show();
      else if (!shown)
        window.close();
    } else {
      window.hidden = !shown;
    }
    if (shown) {
      page.fit(window);
      page.activate(window, false);
      // The game window shown as the page opens leaves the focus to the page itself.
      if (window.tagName == 'DIALOG' || document.activeElement != document.body)
        focusInside(window);
      return;
    }
    // As on a desktop, the window that is left becomes the active one.
    if (active == window) {
      var left = page.windows();
      page.activate(left.length ? left[0] : null, true);
    }
  };

  // The page's own modal box: the program waits for it to be dismissed. While it is up the rest
  // of the page is inert, and Enter, Space and Esc dismiss it wherever the focus is, even after a
  // click beside it.
  Module.pomvexaMessage = function (title, text) {
    page.closeMenus();
    var box = page.byId('message');
    var ok = page.byId('message-ok');
    var close = page.byId('message-close');
    var returnTo = document.activeElement;
    page.byId('message-caption').textContent = title;
    page.byId('message-text').textContent = text;
    box.showModal();
    page.fitBox(box);
    ok.focus();
    return new Promise(function (resolve) {
      var dismiss = function () {
        ok.removeEventListener('click', dismiss);
        close.removeEventListener('click', dismiss);
        box.removeEventListener('cancel', cancel);
        box.removeEventListener('mousedown', keepFocus);
        document.removeEventListener('keydown', key, true);
        box.close();
        if (returnTo && returnTo.offsetParent && !returnTo.closest('dialog:not([open])'))
          returnTo.focus();
        else if (active)
          focusInside(active);
        resolve();
      };
      var cancel = function (event) {
        event.preventDefault();
        dismiss();
      };
      var key = function (event) {
        if (page.isTab(event))
          return; // stays inside the box by itself
        event.preventDefault();
        event.stopPropagation();
        if (!event.repeat && (event.key == 'Enter' || event.key == 'Escape' || event.key == ' '))
          dismiss();
      };
      var keepFocus = function (event) {
        if (!event.target.closest('button'))
          event.preventDefault();
      };
      ok.addEventListener('click', dismiss);
      close.addEventListener('click', dismiss);
      box.addEventListener('cancel', cancel);
      box.addEventListener('mousedown', keepFocus);
      document.addEventListener('keydown', key, true);
    });
  };

  Module.pomvexaEnded = function () {
    page.stopTimer();
    page.byId('ended').hidden = false;
    page.byId('restart').focus();
  };

  // A window is activated by a press anywhere on it and by the focus moving into it. The game
  // window is the active one from the page's start, as it is once the program shows it.
  [page.byId('game'), page.byId('about')].forEach(function (window) {
    window.addEventListener('pointerdown', function () { page.activate(window, false); });
    window.addEventListener('focusin', function (event) {
      window.lastFocus = event.target;
      page.activate(window, false);
    });
  });
  page.activate(page.byId('game'), false);
})(Module.page);
