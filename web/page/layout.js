// The windows' places and sizes on the page. The page's head and style sheet lay them out, so
// that the game window stands where it belongs from the page's first picture on: each window
// keeps its place and size from the desktop it was designed for while the page is large enough;
// on a smaller screen its client area is shown at the largest scale up to 100 % at which the
// whole window fits, while its title bar and menus keep their own size; on a touch screen the
// game window stands in the middle. Here a window is dragged by its title bar, never off the
// page, and keeps the place it was dragged to; after the screen turns the game window is in the
// middle again.
(function (page) {
  'use strict';

  var touchScreen = matchMedia('(any-pointer: coarse)');
  var dragged = {}; // windows the player has moved: they keep their place

  function clamp(value, size, room) {
    return Math.max(0, Math.min(value, room - size));
  }

  function moveTo(window, left, top) {
    var room = page.byId('desktop');
    window.style.left = clamp(left, window.offsetWidth, room.clientWidth) + 'px';
    window.style.top = clamp(top, window.offsetHeight, room.clientHeight) + 'px';
  }

  // Keeps a dragged window on the page, and notes the scale at which the game window's client
  // area is shown.
  page.fit = function (window) {
    Module.fit();
    if (dragged[window.id])
      moveTo(window, window.offsetLeft, window.offsetTop);
    if (window.id == 'game') {
      page.gameScale = new DOMMatrix(getComputedStyle(window.querySelector('.client')).transform).a;
      page.checkScale();
    }
  };

  // A message box is shown whole at the largest scale up to 100 % at which it fits.
  page.fitBox = function (box) {
    box.style.transform = '';
    var room = document.documentElement;
    var scale = Math.min(1, (room.clientWidth - 8) / box.offsetWidth,
                         (room.clientHeight - 8) / box.offsetHeight);
    box.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
  };

  function refit() {
    if (touchScreen.matches && dragged.game) { // a turned screen has the game in its middle again
      dragged.game = false;
      page.byId('game').style.left = page.byId('game').style.top = '';
    }
    page.windows().forEach(page.fit);
    if (page.messageOpen())
      page.fitBox(page.byId('message'));
  }

  function wireDragging(window) {
    var bar = window.querySelector('.titlebar');
    bar.addEventListener('pointerdown', function (event) {
      if (event.button != 0 || event.target.closest('button'))
        return;
      event.preventDefault(); // no text selection, no scrolling
      var grabX = event.clientX - window.offsetLeft;
      var grabY = event.clientY - window.offsetTop;
      var move = function (moved) {
        dragged[window.id] = true;
        moveTo(window, moved.clientX - grabX, moved.clientY - grabY);
      };
      var end = function () {
        bar.removeEventListener('pointermove', move);
        bar.removeEventListener('pointerup', end);
        bar.removeEventListener('pointercancel', end);
      };
      bar.setPointerCapture(event.pointerId);
      bar.addEventListener('pointermove', move);
      bar.addEventListener('pointerup', end);
      bar.addEventListener('pointercancel', end);
      page.activate(window, true);
    });
  }

  page.fit(page.byId('game')); // before the program first paints
  wireDragging(page.byId('game'));
  wireDragging(page.byId('about'));
  addEventListener('resize', refit);
  touchScreen.addEventListener('change', refit);
})(Module.page);
