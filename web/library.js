// The functions the program calls to reach the page: its elements, its canvases, the sound and
// the timer (declared for the C++ side in page.h). Each is a few lines; what they share lives in
// page/.
mergeInto(LibraryManager.library, {
  // A text set again as it stands changes nothing on the page, not even how it is drawn.
  pomvexa_set_text: function (element, text) {
    var shown = document.getElementById(UTF8ToString(element));
    var wanted = UTF8ToString(text);
    if (shown.textContent != wanted)
      shown.textContent = wanted;
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

  pomvexa_canvas_scale: function () {
    return Module.pomvexaScale();
  },

  pomvexa_canvas_clear: function (canvas, width, height, colour) {
    Module.pomvexaClear(UTF8ToString(canvas), width, height, colour);
  },

  pomvexa_canvas_put: function (canvas, left, top, width, height, rgba) {
    Module.pomvexaPut(UTF8ToString(canvas), left, top, width, height,
                      new Uint8ClampedArray(HEAPU8.buffer, rgba, 4 * width * height));
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
