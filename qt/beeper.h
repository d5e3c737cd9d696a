#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace pomvexa {

// Sounds the desktop's bell through the freedesktop sound theme on a thread of its own, so that
// no click waits for the sound system: a request returns at once. The sound library is loaded,
// and the sound cached, only when sound is first asked for, so starting the program pays
// nothing for it. Where no sound can be played the fallback beeps instead, on the thread that
// runs the event loop; a machine without sound is not an error.
class Beeper {
public:
    // library: the sound library's file name; fallback: the toolkit's beep.
    Beeper(std::string library, std::function<void()> fallback);
    // libcanberra, falling back to the display's bell.
    Beeper();
    Beeper(const Beeper&) = delete;
    Beeper& operator=(const Beeper&) = delete;
    ~Beeper();

    // Loads the sound system in the background, so that the first beep need not wait for it.
    void prepare();
    void beep();

private:
    void request(int beeps);
    void run();

    std::string library;
    std::function<void()> fallback;

    std::mutex lock;
    std::condition_variable wake;
    int pending = 0;
    bool stopping = false;
    std::thread worker; // started on the first request
};

} // namespace pomvexa
