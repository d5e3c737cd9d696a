#pragma once

#include "qt/beeper.h"
#include "runtime/eventdelivery.h"
#include "runtime/randomsequence.h"
#include "runtime/runtime.h"

#include <string>
#include <utility>

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

    // Runs an event handler; a run-time error it raises is reported and the program goes on.
    template <typename Handler> void deliver(Handler&& handler) noexcept {
        pomvexa::deliver(*this, std::forward<Handler>(handler));
    }
    template <typename Form> void deliver(Form& form, void (Form::*handler)()) noexcept {
        pomvexa::deliver(*this, form, handler);
    }

private:
    RandomSequence random;
    Beeper beeper;
};

} // namespace pomvexa
