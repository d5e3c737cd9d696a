#include "qt/timercontrol.h"

#include "qt/trace.h"
#include "runtime/runtimeerror.h"

namespace pomvexa {

TimerControl::TimerControl(QObject* parent)
    : QObject(parent) {
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &TimerControl::ticked);
}

void TimerControl::setInterval(std::int32_t value) {
    if (value < 0)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    milliseconds = value;
    if (value == 0) {
        timer.stop();
    } else {
        timer.start(value);
        trace::event("timer-start", value); // the ticks' schedule starts here
    }
}

} // namespace pomvexa
