#pragma once

#include "runtime/runtime.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

namespace pomvexa {

// A timer control: ticks every interval milliseconds while its interval is positive, and
// remembers the interval last set; a new interval restarts the count. Tick k is due k intervals
// after the interval was set, so lateness never adds up, and is handed on when it is due, never
// before: an alarm wakes the event loop a little early, a short sleep brings the thread close to
// the due time, and only the last tenth of a millisecond or so is waited out awake. Ticks
// arrive through the event loop, on its thread; ticks that fell due while the loop was busy are
// one tick, as with Qt's timers.
class TimerControl : public QObject, public Timer {
    Q_OBJECT

public:
    // What the ticks are timed with: a monotonic clock in nanoseconds, an alarm that rings
    // through the event loop, and a sleep of the calling thread.
    class Clock {
    public:
        virtual ~Clock() = default;
        virtual std::int64_t now() = 0;
        // Rings once, through the event loop, at the time given or later; a new time replaces
        // the one set, 0 cancels it.
        virtual void setAlarm(std::int64_t time) = 0;
        // Returns about at the time given, possibly a little before or after it.
        virtual void sleepUntil(std::int64_t time) = 0;
        void onAlarm(std::function<void()> handler) { ring = std::move(handler); }

    protected:
        std::function<void()> ring;
    };

    explicit TimerControl(QObject* parent);
    TimerControl(QObject* parent, std::unique_ptr<Clock> clock);
    ~TimerControl() override;

    void setInterval(std::int32_t milliseconds) override;
    std::int32_t interval() const override { return milliseconds; }

signals:
    void ticked();

private:
    void alarmRang();

    std::unique_ptr<Clock> clock;
    std::int64_t started = 0;  // ns on the clock, when the interval was set
    std::int64_t period = 0;   // ns
    std::int64_t lead = 0;     // ns: how much earlier than each tick is due the alarm rings
    std::int64_t nextTick = 0; // how many periods after the start the next tick is due
    std::int32_t milliseconds = 0;
};

} // namespace pomvexa
