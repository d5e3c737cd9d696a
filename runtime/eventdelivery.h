#pragma once

#include "runtime/runtime.h"

#include <exception>
#include <string>

// The one way an event reaches a window's handler, whatever the toolkit.
namespace pomvexa {

// The text that reports an error raised in a handler: a run-time error as its number and
// text ("运行时错误 '6':" and "Overflow"), anything else as an internal error.
std::string describeError(std::exception_ptr error);

// Shows the error in the runtime's message box. If even that fails, says so on standard error:
// the program must not end here.
void reportError(Runtime& runtime, std::exception_ptr error) noexcept;

// Runs an event handler. A run-time error that it raises ends the handler, not the program: it
// is reported and the program goes on. Nothing escapes into the toolkit's event loop.
template <typename Handler> void deliver(Runtime& runtime, Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        reportError(runtime, std::current_exception());
    }
}

// Runs one of a window's event handlers, as above.
template <typename Form>
void deliver(Runtime& runtime, Form& form, void (Form::*handler)()) noexcept {
    deliver(runtime, [&form, handler] { (form.*handler)(); });
}

} // namespace pomvexa
