#pragma once

#include "beeper.h"
#include "randomsequence.h"
#include "runtime.h"

#include <exception>
#include <string>

namespace pomvexa {

// The runtime's services on Qt, and the one place where events reach the program's handlers.
class QtRuntime : public Runtime {
public:
    float nextRandom() override { return random.next(); }
    void seedRandom() override { random.seedFromClock(); }
    void soundBeep() override;
    void showMessage(const std::string& text, MessageStyle style) override;
    ApplicationIdentity application() const override;
    std::string findFile(const std::string& path) override;
    void launchProgram(const std::string& path, WindowStyle style) override;

    // Runs an event handler. A run-time error that it raises ends the handler, not the program:
    // it is reported in a message box and the program goes on. Nothing escapes into the event
    // loop.
    template <typename Handler> void deliver(Handler&& handler) noexcept {
        try {
            handler();
        } catch (...) {
            reportError(std::current_exception());
        }
    }

    // Runs one of a window's event handlers, as above.
    template <typename Form> void deliver(Form& form, void (Form::*handler)()) noexcept {
        deliver([&form, handler] { (form.*handler)(); });
    }

private:
    void reportError(std::exception_ptr error) noexcept;

    RandomSequence random;
    Beeper beeper;
};

} // namespace pomvexa
