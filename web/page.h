#pragma once

// The page's side of the adapter: functions of web/library.js that the C++ side calls to draw,
// to show and hide the page's elements, to sound the beep and to schedule the timer's ticks.
// Elements are named by their id in index.html; colours are packed RGB values.
extern "C" {
void pomvexa_set_text(const char* element, const char* text);
void pomvexa_set_checked(const char* element, int checked);
void pomvexa_move(const char* element, int left, int top);
void pomvexa_show_window(const char* element, int shown);

// The scale at which the page shows the game window's canvases, in device pixels to the
// surface's own.
double pomvexa_canvas_scale();
// Sizes a canvas to width x height device pixels, all of the colour.
void pomvexa_canvas_clear(const char* canvas, int width, int height, int colour);
// Puts width x height pixels onto the canvas at left, top: four bytes each, red, green, blue
// and alpha, rows top to bottom.
void pomvexa_canvas_put(const char* canvas, int left, int top, int width, int height,
                        const unsigned char* rgba);

void pomvexa_beep();
// Ticks every interval milliseconds from now on, each as the event "tick"; 0 stops them.
void pomvexa_timer_set(int milliseconds);
// Says that no window of the program is loaded any more.
void pomvexa_ended();
}
