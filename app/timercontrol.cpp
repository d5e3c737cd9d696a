#include "timercontrol.h"

#include "runtimeerror.h"
#include "trace.h"

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
        if (trace::enabled()) // the schedule of the ticks starts here
            trace::event("timer-start", value);
    }
}

} // namespace pomvexa
