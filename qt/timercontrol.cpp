#include "qt/timercontrol.h"

#include "qt/trace.h"
#include "runtime/runtimeerror.h"

#include <QSocketNotifier>

#include <cstdint>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>

#include <ctime>
#endif

namespace pomvexa {
namespace {

#ifdef Q_OS_LINUX
// How much earlier than a tick is due the timer expires: more than the event loop takes to wake
// and hand it on, which is a few tenths of a millisecond, and after a long sleep on a busy
// (virtual) machine now and then more than one. The rest is waited out awake: a second sleep
// would end late just as often.
constexpr std::int64_t wakeLead = 2'000'000; // ns

std::int64_t monotonicNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

timespec toTimespec(std::int64_t nanoseconds) {
    return {static_cast<time_t>(nanoseconds / 1'000'000'000),
            static_cast<long>(nanoseconds % 1'000'000'000)};
}
#endif

} // namespace

TimerControl::TimerControl(QObject* parent)
    : QObject(parent) {
#ifdef Q_OS_LINUX
    descriptor = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
#endif
    if (descriptor >= 0) {
        auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &TimerControl::expired);
    } else {
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, this, &TimerControl::ticked);
    }
}

TimerControl::~TimerControl() {
#ifdef Q_OS_LINUX
    if (descriptor >= 0)
        close(descriptor);
#endif
}

void TimerControl::setInterval(std::int32_t value) {
    if (value < 0)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    milliseconds = value;
#ifdef Q_OS_LINUX
    if (descriptor >= 0) {
        // Arming anew also forgets expirations not yet read: no tick of the old schedule comes.
        itimerspec schedule{};
        if (value > 0) {
            period = std::int64_t(value) * 1'000'000;
            nextDue = monotonicNow() + period;
            schedule.it_interval = toTimespec(period);
            schedule.it_value = toTimespec(nextDue - wakeLead);
        }
        timerfd_settime(descriptor, TFD_TIMER_ABSTIME, &schedule, nullptr);
        if (value > 0)
            trace::event("timer-start", value); // the ticks' schedule starts here
        return;
    }
#endif
    if (value == 0) {
        timer.stop();
    } else {
        timer.start(value);
        trace::event("timer-start", value);
    }
}

// The timer expires a little before each tick is due; the tick waits out the rest, so that it
// comes when it is due rather than when the event loop happens to wake. Ticks that came while
// the event loop was busy are one tick, as with Qt's timers.
void TimerControl::expired() {
#ifdef Q_OS_LINUX
    std::uint64_t expirations = 0;
    if (read(descriptor, &expirations, sizeof expirations) != sizeof expirations ||
        expirations == 0 || milliseconds == 0)
        return;
    const std::int64_t due = nextDue + std::int64_t(expirations - 1) * period;
    nextDue = due + period;
    while (monotonicNow() < due) {
    }
    emit ticked();
#endif
}

} // namespace pomvexa
