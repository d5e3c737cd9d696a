#pragma once

#include "runtime/randomsequence.h"
#include "runtime/runtime.h"

#include <string>

namespace pomvexa {

// The runtime's services in the browser. A message box is the page's own modal box; while it is
// up the page hands no event to the program. A browser starts no programs and has no files.
class WebRuntime : public Runtime {
public:
    float nextRandom() override { return random.next(); }
    void seedRandom() override { random.seedFromClock(); }
    void soundBeep() override;
    void showMessage(const std::string& text, MessageStyle style) override;
    ApplicationIdentity application() const override;
    std::string findFile(const std::string& path) override;
    void launchProgram(const std::string& path, WindowStyle style) override;

private:
    RandomSequence random;
};

} // namespace pomvexa
