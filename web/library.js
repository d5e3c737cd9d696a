// The functions the program calls to reach the page: its elements, its canvases, the sound and
// the timer (declared for the C++ side in page.h). Each is a few lines; what they share lives in
// page.js.
mergeInto(LibraryManager.library, {
  pomvexa_set_text: function (element, text) {
    document.getElementById(UTF8ToString(element)).textContent = UTF8ToString(text);
  },

  pomvexa_set_checked: function (element, checked) {
    document.getElementById(UTF8ToString(element)).setAttribute('aria-checked', checked ? 'true' : 'false');
  },

  pomvexa_move: function (element, left, top) {
    var style = document.getElementById(UTF8ToString(element)).style;
    style.left = left + 'px';
    style.top = top + 'px';
  },

  pomvexa_show_window: function (element, shown) {
    Module.pomvexaShowWindow(document.getElementById(UTF8ToString(element)), shown);
  },

  pomvexa_canvas_clear: function (canvas) {
    Module.pomvexaCanvas(UTF8ToString(canvas), true);
  },

  // Lines are drawn without smoothing in whole device pixels: each covers the pixels the line
  // covers at 100 %, its end points included, so that at any scale every line of a width is
  // equally thick and sharp.
  pomvexa_canvas_line: function (canvas, x1, y1, x2, y2, colour, width) {
    var context = Module.pomvexaCanvas(UTF8ToString(canvas), false);
    var scale = Module.pomvexaScale();
    var pen = Math.max(1, Math.round(width * scale));
    var X1 = Math.round(x1 * scale), Y1 = Math.round(y1 * scale);
    var X2 = Math.round(x2 * scale), Y2 = Math.round(y2 * scale);
    context.setTransform(1, 0, 0, 1, 0, 0);
    context.fillStyle = context.strokeStyle = Module.pomvexaColour(colour);
    if (X1 == X2 || Y1 == Y2) {
      context.fillRect(Math.min(X1, X2), Math.min(Y1, Y2), Math.abs(X2 - X1) + pen,
                       Math.abs(Y2 - Y1) + pen);
      return;
    }
    context.lineWidth = pen;
    context.lineCap = 'round';
    context.beginPath();
    context.moveTo(X1 + pen / 2, Y1 + pen / 2);
    context.lineTo(X2 + pen / 2, Y2 + pen / 2);
    context.stroke();
  },

  pomvexa_canvas_circle: function (canvas, x, y, radius, pen, fill, filled, width) {
    var context = Module.pomvexaCanvas(UTF8ToString(canvas), false);
    context.beginPath();
    context.arc(x, y, radius, 0, 2 * Math.PI);
    if (filled) {
      context.fillStyle = Module.pomvexaColour(fill);
      context.fill();
    }
    context.lineWidth = width;
    context.strokeStyle = Module.pomvexaColour(pen);
    context.stroke();
  },

  // Anticlockwise on the screen from start to end; the canvas measures its angles clockwise.
  pomvexa_canvas_arc: function (canvas, x, y, radius, colour, start, end, width) {
    var context = Module.pomvexaCanvas(UTF8ToString(canvas), false);
    var turn = 2 * Math.PI;
    var from = ((start % turn) + turn) % turn;
    var span = ((end % turn) + turn) % turn - from;
    if (span <= 0)
      span += turn;
    context.beginPath();
    context.arc(x, y, radius, -from, -(from + span), true);
    context.lineWidth = width;
    context.lineCap = 'butt';
    context.strokeStyle = Module.pomvexaColour(colour);
    context.stroke();
  },

  pomvexa_beep: function () {
    Module.pomvexaBeep();
  },

  pomvexa_timer_set: function (milliseconds) {
    Module.pomvexaTimer(milliseconds);
  },

  pomvexa_ended: function () {
    Module.pomvexaEnded();
  },
});
