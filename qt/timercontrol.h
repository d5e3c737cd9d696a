#pragma once

#include "runtime/runtime.h"

#include <QObject>
#include <QTimer>

namespace pomvexa {

// A timer control: ticks every interval milliseconds, to the millisecond, while its interval is
// positive, and remembers the interval last set.
class TimerControl : public QObject, public Timer {
    Q_OBJECT

public:
    explicit TimerControl(QObject* parent);

    void setInterval(std::int32_t milliseconds) override;
    std::int32_t interval() const override { return milliseconds; }

signals:
    void ticked();

private:
    QTimer timer;
    std::int32_t milliseconds = 0;
};

} // namespace pomvexa
