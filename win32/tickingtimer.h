#pragma once

#include "runtime/runtime.h"
#include "win32/windowclass.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace pomvexa::win32 {

// A timer control whose ticks come to the millisecond. A thread of its own sleeps on a
// high-resolution waitable timer until each tick is due and posts it to a message-only window,
// so the handler runs on the user-interface thread, one tick at a time, and ticks keep coming
// while Windows runs a modal loop (an open menu, a window being moved). Ticks are due at
// whole intervals from the moment the interval was set, so lateness never adds up; a tick that
// finds the one before it still waiting or being handled (its handler may run a modal loop, such
// as a message box) is dropped, not queued.
class TickingTimer : public Timer, private MessageTarget {
public:
    explicit TickingTimer(std::function<void()> onTick);
    TickingTimer(const TickingTimer&) = delete;
    TickingTimer& operator=(const TickingTimer&) = delete;
    ~TickingTimer() override;

    void setInterval(std::int32_t milliseconds) override;
    std::int32_t interval() const override { return milliseconds; }

private:
    using Clock = std::chrono::steady_clock;

    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void run();
    // Sleeps until the time given or until the settings change; true if the time came.
    bool sleepUntil(Clock::time_point due);

    std::function<void()> tick;
    std::int32_t milliseconds = 0;

    HWND receiver;
    HANDLE wake;    // set when the settings change or the timer is destroyed
    HANDLE waiting; // the waitable timer the thread sleeps on

    // Shared with the thread.
    std::mutex settings;
    std::uint32_t generation = 0; // counts changes of the interval; a tick carries its own
    Clock::duration period{};
    Clock::time_point started;
    bool quitting = false;
    std::atomic<bool> tickWaiting{false};

    std::thread worker;
};

} // namespace pomvexa::win32
