#pragma once

#include "runtime/runtime.h"

#include <QObject>
#include <QTimer>

namespace pomvexa {

// A timer control: ticks every interval milliseconds while its interval is positive, and
// remembers the interval last set; a new interval restarts the count. On Linux the ticks come
// from a timer file descriptor armed at absolute times from the moment the interval is set, so
// each comes when it is due (a poll timeout would be rounded up by 0.1 % of its length) and
// lateness never adds up; elsewhere from Qt's precise timer. Either way they arrive through the
// event loop, on its thread.
class TimerControl : public QObject, public Timer {
    Q_OBJECT

public:
    explicit TimerControl(QObject* parent);
    ~TimerControl() override;

    void setInterval(std::int32_t milliseconds) override;
    std::int32_t interval() const override { return milliseconds; }

signals:
    void ticked();

private:
    void expired();

    QTimer timer; // where there is no timer file descriptor
    int descriptor = -1;
    std::int64_t period = 0;  // ns
    std::int64_t nextDue = 0; // ns on the monotonic clock
    std::int32_t milliseconds = 0;
};

} // namespace pomvexa
