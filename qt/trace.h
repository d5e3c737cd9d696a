#pragma once

class QWidget;

// Timestamps for measuring the program from outside (see bench/). They are written only when
// the environment variable POMVEXA_TRACE names a file at start-up; otherwise each trace point
// costs one test of a flag that is set once.
namespace pomvexa::trace {

namespace detail {
extern bool on;
void write(const char* name, long long first, long long second);
} // namespace detail

// Reads POMVEXA_TRACE; call once, before any trace point.
void start();

// Writes one line: the monotonic clock in microseconds, the event's name and two numbers.
inline void event(const char* name, long long first = 0, long long second = 0) {
    if (detail::on)
        detail::write(name, first, second);
}

// Writes a line with the name once the event loop is free again: after the event being handled
// now, and whatever it leads to, has been handled.
void whenIdle(const char* name);

// Writes "first-frame" once the window has been painted and the display server has taken the
// picture: after the first paint of its central widget and a round trip to the server.
void firstFrame(QWidget* window);

} // namespace pomvexa::trace
