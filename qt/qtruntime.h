#pragma once

#include "qt/beeper.h"
#include "runtime/eventdelivery.h"
#include "runtime/randomsequence.h"
#include "runtime/runtime.h"

#include <string>

namespace pomvexa {

// The runtime's services on Qt. Events reach the program's handlers through deliver() with it.
class QtRuntime : public Runtime {
public:
    float nextRandom() override { return random.next(); }
    void seedRandom() override { random.seedFromClock(); }
    void soundBeep() override;
    // Loads the sound system in the background, so that the first beep comes at once.
    void prepareSound() { beeper.prepare(); }
    void showMessage(const std::string& text, MessageStyle style) override;
    ApplicationIdentity application() const override;
    std::string findFile(const std::string& path) override;
    void launchProgram(const std::string& path, WindowStyle style) override;

private:
    RandomSequence random;
    Beeper beeper;
};

} // namespace pomvexa
