// The windows' places and sizes on the page. Each window keeps its place and size from the
// desktop it was designed for while the page is large enough; on a smaller screen its client
// area is shown at the largest scale up to 100 % at which the whole window fits, while its
// title bar and menus keep their own size, so that they stay as easy to read and to touch. On
// a touch screen the game window stands in the middle. A window is dragged by its title bar,
// never off the page, and after the screen turns every window is fitted again.
(function (page) {
  'use strict';

  // Where each window's top-left corner stands on a desktop, and its client area's size.
  var DESIGN = {game: {left: 8, top: 8, width: 527, height: 391},
                about: {left: 155, top: 104, width: 382, height: 237}};
  var touchScreen = matchMedia('(any-pointer: coarse)');
  var dragged = {}; // windows the player has moved: they keep their place

  function screenSize() {
    return {width: document.documentElement.clientWidth,
            height: document.documentElement.clientHeight};
  }

  function clamp(value, size, room) {
    return Math.max(0, Math.min(value, room - size));
  }

  function moveTo(window, left, top) {
    var screen = screenSize();
    window.style.left = clamp(left, window.offsetWidth, screen.width) + 'px';
    window.style.top = clamp(top, window.offsetHeight, screen.height) + 'px';
  }

  // Sizes the window's client area to fit the screen, then places the window.
  page.fit = function (window) {
    var design = DESIGN[window.id];
    var area = window.querySelector('.area');
    var client = area.firstElementChild;
    var screen = screenSize();
    var frameWidth = window.offsetWidth - area.offsetWidth;
    var frameHeight = window.offsetHeight - area.offsetHeight;
    var scale = Math.min(1, (screen.width - frameWidth) / design.width,
                         (screen.height - frameHeight) / design.height);
    area.style.width = design.width * scale + 'px';
    area.style.height = design.height * scale + 'px';
    client.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
    if (window.id == 'game') {
      page.gameScale = scale;
      page.checkScale();
    }
    if (dragged[window.id])
      moveTo(window, window.offsetLeft, window.offsetTop);
    else if (window.id == 'game' && touchScreen.matches)
      moveTo(window, (screen.width - window.offsetWidth) / 2,
             (screen.height - window.offsetHeight) / 2);
    else
      moveTo(window, design.left, design.top);
  };

  // A message box is shown whole at the largest scale up to 100 % at which it fits.
  page.fitBox = function (box) {
    box.style.transform = '';
    var screen = screenSize();
    var scale = Math.min(1, (screen.width - 8) / box.offsetWidth,
                         (screen.height - 8) / box.offsetHeight);
    box.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
  };

  function refit() {
    if (touchScreen.matches)
      dragged.game = false; // a turned screen has the game in its middle again
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

  page.onStart(function () {
    wireDragging(page.byId('game'));
    wireDragging(page.byId('about'));
    addEventListener('resize', refit);
    touchScreen.addEventListener('change', refit);
  });
})(Module.page);
