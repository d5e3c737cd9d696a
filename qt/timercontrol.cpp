#include "qt/timercontrol.h"

#include "qt/trace.h"
#include "runtime/runtimeerror.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#endif

namespace pomvexa {
namespace {

// How much earlier than a tick is due the alarm rings: more than the event loop takes to wake
// and hand it on, which is a few tenths of a millisecond, and after a long sleep on a busy
// (virtual) machine now and then more than one.
constexpr std::int64_t wakeLead = 2'000'000; // ns
// The part of the wait that is waited out awake: a short sleep ends this much before the tick
// is due, since even a short one now and then ends some tens of microseconds late.
constexpr std::int64_t awakeWait = 100'000; // ns

constexpr std::int64_t nanosecondsPerMillisecond = 1'000'000;

// The monotonic clock; the alarm is a timer file descriptor armed at an absolute time, so that
// it rings when due (a poll timeout would be rounded up by 0.1 % of its length), or, where there
// is none, Qt's precise timer.
class MonotonicClock : public TimerControl::Clock {
public:
    MonotonicClock() {
#ifdef Q_OS_LINUX
        descriptor = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
        if (descriptor >= 0) {
            notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
            QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] {
                // Nothing to read if the alarm was set anew since it rang.
                std::uint64_t expirations = 0;
                if (read(descriptor, &expirations, sizeof expirations) == sizeof expirations &&
                    expirations > 0)
                    ring();
            });
            return;
        }
#endif
        fallback = std::make_unique<QTimer>();
        fallback->setTimerType(Qt::PreciseTimer);
        fallback->setSingleShot(true);
        QObject::connect(fallback.get(), &QTimer::timeout, [this] { ring(); });
    }

    ~MonotonicClock() override {
#ifdef Q_OS_LINUX
        notifier.reset();
        if (descriptor >= 0)
            close(descriptor);
#endif
    }

    std::int64_t now() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    void setAlarm(std::int64_t time) override {
#ifdef Q_OS_LINUX
        if (descriptor >= 0) {
            itimerspec schedule{};
            schedule.it_value = toTimespec(time);
            timerfd_settime(descriptor, TFD_TIMER_ABSTIME, &schedule, nullptr);
            return;
        }
#endif
        if (time == 0) {
            fallback->stop();
        } else {
            const std::int64_t wait = std::max<std::int64_t>(time - now(), 0);
            fallback->start(
                int((wait + nanosecondsPerMillisecond - 1) / nanosecondsPerMillisecond));
        }
    }

    void sleepUntil(std::int64_t time) override {
#ifdef Q_OS_LINUX
        const timespec until = toTimespec(time);
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
#else
        std::this_thread::sleep_until(std::chrono::steady_clock::time_point(
            std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::nanoseconds(time))));
#endif
    }

private:
#ifdef Q_OS_LINUX
    static timespec toTimespec(std::int64_t nanoseconds) {
        return {static_cast<time_t>(nanoseconds / 1'000'000'000),
                static_cast<long>(nanoseconds % 1'000'000'000)};
    }

    int descriptor = -1;
    std::unique_ptr<QSocketNotifier> notifier;
#endif
    std::unique_ptr<QTimer> fallback; // only where there is no timer file descriptor
};

} // namespace

TimerControl::TimerControl(QObject* parent)
    : TimerControl(parent, std::make_unique<MonotonicClock>()) {
}

TimerControl::TimerControl(QObject* parent, std::unique_ptr<Clock> clockUsed)
    : QObject(parent)
    , clock(std::move(clockUsed)) {
    clock->onAlarm([this] { alarmRang(); });
}

TimerControl::~TimerControl() = default;

void TimerControl::setInterval(std::int32_t value) {
    if (value < 0)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    milliseconds = value;
    if (value == 0) {
        clock->setAlarm(0);
        return;
    }
    period = std::int64_t(value) * nanosecondsPerMillisecond;
    lead = std::min(wakeLead, period / 2); // a short interval is not spent asleep
    started = clock->now();
    nextTick = 1;
    clock->setAlarm(started + period - lead);
    trace::event("timer-start", value); // the ticks' schedule starts here
}

void TimerControl::alarmRang() {
    if (milliseconds == 0)
        return;
    // The tick due next or, if the event loop was busy past later ones, the last of those.
    const std::int64_t woke = clock->now();
    nextTick = std::max(nextTick, (woke + lead - started) / period);
    const std::int64_t due = started + nextTick * period;
    ++nextTick;
    clock->setAlarm(started + nextTick * period - lead);
    if (woke < due - awakeWait)
        clock->sleepUntil(due - awakeWait);
    while (clock->now() < due) {
    }
    emit ticked();
}

} // namespace pomvexa
