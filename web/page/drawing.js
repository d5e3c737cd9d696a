// The program's canvases, drawn at the screen's device-pixel ratio times the scale at which the
// game window's client area is shown, so that each pixel drawn is one the screen shows, and
// drawn again whenever that changes.
(function (page) {
  'use strict';

  var BACKGROUND = '#efefef';

  // The scale at which the game window's client area is shown (the window's layout sets it).
  page.gameScale = 1;

  Module.pomvexaScale = function () { return (window.devicePixelRatio || 1) * page.gameScale; };

  Module.pomvexaColour = function (colour) {
    return 'rgb(' + (colour & 255) + ',' + ((colour >> 8) & 255) + ',' + ((colour >> 16) & 255) + ')';
  };

  // The scale at which the canvases were last cleared, and so drawn.
  var paintedScale = 0;

  // The canvas's context, drawing in CSS pixels at the scale above; cleared to its background
  // (its picture, or the window's colour) when asked.
  Module.pomvexaCanvas = function (id, clear) {
    var canvas = page.byId(id);
    var scale = Module.pomvexaScale();
    if (!canvas.cssWidth) {
      canvas.cssWidth = canvas.width;
      canvas.cssHeight = canvas.height;
    }
    var context = canvas.getContext('2d', {alpha: false});
    if (clear) {
      paintedScale = scale;
      canvas.width = Math.round(canvas.cssWidth * scale);
      canvas.height = Math.round(canvas.cssHeight * scale);
      context.setTransform(1, 0, 0, 1, 0, 0);
      context.fillStyle = BACKGROUND;
      context.fillRect(0, 0, canvas.width, canvas.height);
      context.setTransform(scale, 0, 0, scale, 0, 0);
      context.imageSmoothingEnabled = false;
      if (canvas.dataset.picture)
        context.drawImage(page.byId(canvas.dataset.picture), 0, 0);
    }
    context.setTransform(scale, 0, 0, scale, 0, 0);
    return context;
  };

  // Drawn again whenever the scale changes: a zoom, the game window fitted to another size, or
  // another screen (which a media query tells).
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
