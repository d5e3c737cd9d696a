#pragma once

#include "runtime/runtime.h"

namespace pomvexa {

// The timer control: its ticks are scheduled by the page from the moment the interval is set,
// on the page's monotonic clock, and reach the program as events. A new interval restarts the
// count; 0 stops it.
class PageTimer : public Timer {
public:
    void setInterval(std::int32_t milliseconds) override;
    std::int32_t interval() const override { return milliseconds; }

private:
    std::int32_t milliseconds = 0;
};

} // namespace pomvexa
