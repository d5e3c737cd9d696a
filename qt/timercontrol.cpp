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

TimerControl::TimerControl(QObject* parent)
    : QObject(parent) {
#ifdef Q_OS_LINUX
    descriptor = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
#endif
    if (descriptor >= 0) {
        notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
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
            const std::int64_t period = std::int64_t(value) * 1'000'000;
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            const std::int64_t first = std::int64_t(now.tv_nsec) + period;
            schedule.it_interval = {static_cast<time_t>(period / 1'000'000'000),
                                    static_cast<long>(period % 1'000'000'000)};
            schedule.it_value = {static_cast<time_t>(now.tv_sec + first / 1'000'000'000),
                                 static_cast<long>(first % 1'000'000'000)};
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

// Ticks that came while the event loop was busy are one tick, as with Qt's timers.
void TimerControl::expired() {
#ifdef Q_OS_LINUX
    std::uint64_t expirations = 0;
    if (read(descriptor, &expirations, sizeof expirations) == sizeof expirations &&
        milliseconds > 0)
        emit ticked();
#endif
}

} // namespace pomvexa
