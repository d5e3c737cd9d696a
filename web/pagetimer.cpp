#include "web/pagetimer.h"

#include "runtime/runtimeerror.h"
#include "web/page.h"

namespace pomvexa {

void PageTimer::setInterval(std::int32_t value) {
    if (value < 0)
        throw RuntimeError(RuntimeError::invalidProcedureCall);
    milliseconds = value;
    pomvexa_timer_set(value);
}

} // namespace pomvexa
