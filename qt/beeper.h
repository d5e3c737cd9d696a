#pragma once

struct ca_context;

namespace pomvexa {

// Sounds the desktop's bell through the freedesktop sound theme, falling back to the toolkit's
// beep where no sound can be played. A machine without sound is not an error.
class Beeper {
public:
    Beeper() = default;
    Beeper(const Beeper&) = delete;
    Beeper& operator=(const Beeper&) = delete;
    ~Beeper();

    void beep();

private:
    bool playThemeSound();

    ca_context* context = nullptr;
    bool themeSoundFailed = false;
};

} // namespace pomvexa
