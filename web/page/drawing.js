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

  // A canvas keeps its pixels' store while its size stays: it is only cleared, where anything
  // was put on it.
  Module.pomvexaClear = function (id, width, height, colour) {
    var canvas = page.byId(id);
    paintedScale = Module.pomvexaScale();
    if (canvas.width != width || canvas.height != height) {
      canvas.width = width;
      canvas.height = height;
    } else if (canvas.painted) {
      context(id).clearRect(0, 0, width, height);
    }
    canvas.painted = false;
    canvas.style.backgroundColor = 'rgb(' + (colour & 255) + ',' + ((colour >> 8) & 255) + ',' +
      ((colour >> 16) & 255) + ')';
  };

  // rgba: the pixels where they lie in the program's memory.
  Module.pomvexaPut = function (id, left, top, width, height, rgba) {
    page.byId(id).painted = true;
    context(id).putImageData(new ImageData(rgba, width, height), left, top);
  };

  // Gives each canvas, while it is still clear, the size the program will paint it at and its
  // store of pixels (which a browser makes when a canvas is first drawn on, and which takes a
  // while), so that the program's start does less at once.
  page.prepareCanvases = function () {
    var scale = Module.pomvexaScale();
    ['playfield', 'picture'].forEach(function (id) {
      var canvas = page.byId(id);
      canvas.width = Math.floor(canvas.width * scale + 0.5);
      canvas.height = Math.floor(canvas.height * scale + 0.5);
      context(id).putImageData(new ImageData(1, 1), 0, 0);
    });
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
