#include "win32/tickingtimer.h"

#include "runtime/runtimeerror.h"

#include <algorithm>
#include <stdexcept>

namespace pomvexa::win32 {
namespace {

constexpr UINT tickMessage = WM_APP + 1;

// Missing from mingw-w64's headers; Windows 10 1803 and later wake such a timer to within a
// fraction of a millisecond instead of at the next 15.6 ms system tick.
constexpr DWORD highResolutionTimer = 0x00000002;

// Without it the thread could not be told of a new interval; the timer cannot work at all.
HANDLE createWakeEvent() {
    const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (event == nullptr)
        throw std::runtime_error("the timer's wake event could not be created");
    return event;
}

// Null where none can be made at all; the thread then waits on the wake event's time-out.
HANDLE createWaitableTimer() {
    const HANDLE timer =
        CreateWaitableTimerExW(nullptr, nullptr, highResolutionTimer, TIMER_ALL_ACCESS);
    return timer != nullptr ? timer : CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

} // namespace

TickingTimer::TickingTimer(std::function<void()> onTick)
    : tick(std::move(onTick))
    , receiver(
          createWindow(*this, registerWindowClass(L"PomvexaTimer"), 0, 0, RECT{}, HWND_MESSAGE))
    , wake(createWakeEvent())
    , waiting(createWaitableTimer())
    , worker([this] { run(); }) {
}

TickingTimer::~TickingTimer() {
    {
        const std::lock_guard guard(settings);
        quitting = true;
    }
    SetEvent(wake);
    worker.join();
    if (waiting != nullptr)
        CloseHandle(waiting);
    CloseHandle(wake);
    DestroyWindow(receiver);
}

void TickingTimer::setInterval(std::int32_t value) {
    if (value < 0)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    milliseconds = value;
    {
        const std::lock_guard guard(settings);
        ++generation;
        period = std::chrono::milliseconds(value);
        started = Clock::now();
    }
    SetEvent(wake);
}

bool TickingTimer::sleepUntil(Clock::time_point due) {
    const auto remaining = due - Clock::now();
    if (remaining <= Clock::duration::zero())
        return true;
    if (waiting == nullptr) {
        // No waitable timer could be made: the wake event's own time-out, to the millisecond.
        const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(remaining);
        return WaitForSingleObject(wake, static_cast<DWORD>(milliseconds.count())) == WAIT_TIMEOUT;
    }
    // A negative due time is relative, in units of 100 ns.
    LARGE_INTEGER relative;
    relative.QuadPart =
        -std::chrono::ceil<std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>>(remaining)
             .count();
    SetWaitableTimer(waiting, &relative, 0, nullptr, nullptr, FALSE);
    const HANDLE handles[] = {wake, waiting};
    return WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

void TickingTimer::run() {
    std::unique_lock guard(settings);
    std::uint32_t seen = generation;
    std::int64_t ticks = 0; // ticks of this generation so far
    while (!quitting) {
        if (seen != generation) {
            seen = generation;
            ticks = 0;
        }
        if (period == Clock::duration::zero()) {
            guard.unlock();
            WaitForSingleObject(wake, INFINITE);
            guard.lock();
            continue;
        }
        const Clock::time_point due = started + period * (ticks + 1);
        guard.unlock();
        const bool came = sleepUntil(due);
        guard.lock();
        if (!came || seen != generation)
            continue;
        // A tick waits until the one before it has been handled, so handlers never overlap,
        // even where one runs a modal loop.
        if (!tickWaiting.exchange(true) && !PostMessageW(receiver, tickMessage, seen, 0))
            tickWaiting = false;
        // After a stall the next tick is the next one due from now, not a burst of late ones.
        ticks = std::max(ticks + 1, static_cast<std::int64_t>((Clock::now() - started) / period));
    }
}

LRESULT TickingTimer::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != tickMessage)
        return DefWindowProcW(window, message, wParam, lParam);
    // A tick posted before the interval last changed belongs to a schedule that is gone.
    std::uint32_t current;
    {
        const std::lock_guard guard(settings);
        current = generation;
    }
    if (static_cast<std::uint32_t>(wParam) == current && milliseconds > 0)
        tick();
    tickWaiting = false;
    return 0;
}

} // namespace pomvexa::win32
