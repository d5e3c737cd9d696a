#pragma once

// The page's side of the adapter: functions of web/library.js that the C++ side calls to draw,
// to show and hide the page's elements, to sound the beep and to schedule the timer's ticks.
// Elements are named by their id in index.html; colours are packed RGB values.
extern "C" {
void pomvexa_set_text(const char* element, const char* text);
void pomvexa_set_checked(const char* element, int checked);
void pomvexa_move(const char* element, int left, int top);
void pomvexa_show_window(const char* element, int shown);

// Clears a canvas to its background (a colour, or the picture it was given in index.html) at
// the screen's device-pixel ratio, then draws on it one call at a time.
void pomvexa_canvas_clear(const char* canvas);
void pomvexa_canvas_line(const char* canvas, float x1, float y1, float x2, float y2, int colour,
                         int width);
void pomvexa_canvas_circle(const char* canvas, float x, float y, float radius, int pen, int fill,
                           int filled, int width);
void pomvexa_canvas_arc(const char* canvas, float x, float y, float radius, int colour, float start,
                        float end, int width);

void pomvexa_beep();
// Ticks every interval milliseconds from now on, each as the event "tick"; 0 stops them.
void pomvexa_timer_set(int milliseconds);
// Says that no window of the program is loaded any more.
void pomvexa_ended();
}
