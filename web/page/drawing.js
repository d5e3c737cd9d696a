// The program's canvases. The program works out their pixels itself, at the screen's
// device-pixel ratio times the scale at which the game window's client area is shown, so that
// each pixel it paints is one the screen shows; the page sizes the canvases, puts the pixels on
// them, and has them painted again whenever that scale changes.
(function (page) {
  'use strict';

  // The scale at which the game window's client area is shown (the window's layout sets it).
  page.gameScale = 1;

  Module.pomvexaScale = function () { return (window.devicePixelRatio || 1) * page.gameScale; };

  // The scale at which the canvases were last cleared, and so painted.
  var paintedScale = 0;

  // The canvases let their background, the colour the program clears them to, show through
  // where it paints nothing, so that clearing one fills none of its pixels.
  function context(id) { return page.byId(id).getContext('2d'); }

  Module.pomvexaClear = function (id, width, height, colour) {
    var canvas = page.byId(id);
    paintedScale = Module.pomvexaScale();
    canvas.width = width;
    canvas.height = height;
    canvas.style.backgroundColor = 'rgb(' + (colour & 255) + ',' + ((colour >> 8) & 255) + ',' +
      ((colour >> 16) & 255) + ')';
  };

  Module.pomvexaPut = function (id, left, top, width, height, rgba) {
    context(id).putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), left, top);
  };

  // Painted again whenever the scale changes: a zoom, the game window fitted to another size,
  // or another screen (which a media query tells).
  var ratio = 0;
  page.checkScale = function () {
    if (paintedScale && Module.pomvexaScale() != paintedScale)
      page.repaint();
    if (window.devicePixelRatio != ratio) {
      ratio = window.devicePixelRatio;
      matchMedia('(resolution: ' + ratio + 'dppx)')
        .addEventListener('change', page.checkScale, {once: true});
    }
  };
})(Module.page);
