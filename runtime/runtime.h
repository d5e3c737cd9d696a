#pragma once

#include <cstdint>
#include <string>

namespace pomvexa {

// Packed RGB colour: red + 256 * green + 65536 * blue.
using Colour = std::int32_t;

enum class FillStyle : std::int16_t { solid = 0, transparent = 1 };

enum class MessageStyle : std::int16_t { okOnly = 0 };

// A drawing surface that keeps what is drawn on it until it is cleared: a window's client area
// or the inside of a picture box. Coordinates are pixels from the top-left corner, y downwards.
class Surface {
public:
    virtual ~Surface() = default;

    virtual void cls() = 0;
    virtual void setForeColor(Colour colour) = 0;
    virtual void setFillColor(Colour colour) = 0;
    virtual void setFillStyle(FillStyle style) = 0;
    virtual void setDrawWidth(std::int16_t width) = 0;

    // A straight line in the foreground colour and pen width.
    virtual void line(float x1, float y1, float x2, float y2) = 0;
    // A full circle: outline in the foreground colour, inside filled with the fill colour
    // unless the fill style is transparent.
    virtual void circle(float x, float y, float radius) = 0;
    // An unfilled arc drawn anticlockwise, as seen on the screen, from start to end (radians).
    virtual void arc(float x, float y, float radius, Colour colour, float start, float end) = 0;
};

enum class WindowStyle : std::int16_t { normalFocus = 1 };

// A top-level window. Showing it loads it first if it is not loaded; unloading it destroys it
// and its controls. The program ends when no window is loaded any more.
class Window {
public:
    virtual ~Window() = default;
    virtual void setCaption(const std::string& text) = 0;
    // Shows the window without blocking: returns at once and brings it to the front.
    virtual void showModeless() = 0;
    virtual void unload() = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual void setCaption(const std::string& text) = 0;
};

// A child control that can be moved inside its window; its size stays as it is.
class Control {
public:
    virtual ~Control() = default;
    virtual void move(float left, float top) = 0;
};

class MenuItem {
public:
    virtual ~MenuItem() = default;
    virtual void setChecked(bool checked) = 0;
};

class Timer {
public:
    virtual ~Timer() = default;
    // 0 stops the timer; n > 0 (re)starts it with a tick every n milliseconds.
    virtual void setInterval(std::int32_t milliseconds) = 0;
    // The value last set.
    virtual std::int32_t interval() const = 0;
};

// The program's title and version.
struct ApplicationIdentity {
    std::string title;
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// The services of the runtime that belong to no window.
class Runtime {
public:
    virtual ~Runtime() = default;

    virtual ApplicationIdentity application() const = 0;

    // A uniform value in [0, 1), never 1.
    virtual float nextRandom() = 0;
    // Seeds nextRandom from the clock, so that every run plays differently.
    virtual void seedRandom() = 0;
    virtual void soundBeep() = 0;
    // A modal message box titled with the application's title; returns when it is dismissed.
    virtual void showMessage(const std::string& text, MessageStyle style) = 0;

    // The file's name if a normal file exists at the path, else empty text.
    virtual std::string findFile(const std::string& path) = 0;
    // Starts the program at the path, without waiting for it and without a shell: the path is
    // the program, never a command line. Raises a run-time error if it cannot be started.
    virtual void launchProgram(const std::string& path, WindowStyle style) = 0;
};

} // namespace pomvexa
