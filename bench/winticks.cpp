// Times the Windows program's timer as a round at 250 ms uses it: 30 ticks from the moment the
// interval is set, each handled on the user-interface thread. Prints each tick's lateness
// against interval set + k x 250 ms, the mean and the worst, and how long the 30 took.
#include "win32/tickingtimer.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main() {
    using Clock = std::chrono::steady_clock;
    using Milliseconds = std::chrono::duration<double, std::milli>;
    constexpr int jumps = 30;
    constexpr auto interval = std::chrono::milliseconds(250);

    std::vector<Clock::time_point> ticks;
    pomvexa::win32::TickingTimer timer([&ticks] {
        ticks.push_back(Clock::now());
        if (ticks.size() == jumps)
            PostQuitMessage(0);
    });
    const Clock::time_point started = Clock::now();
    timer.setInterval(static_cast<std::int32_t>(interval.count()));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    timer.setInterval(0);

    double total = 0;
    double worst = 0;
    for (int k = 0; k < jumps; ++k) {
        const double late = Milliseconds(ticks[k] - (started + interval * (k + 1))).count();
        total += late;
        worst = std::max(worst, late);
    }
    std::printf("ticks at 250 ms: lateness mean / max, ms\t%.2f / %.2f\n", total / jumps, worst);
    std::printf("ticks at 250 ms: 30 jumps took, ms\t%.1f\n",
                Milliseconds(ticks.back() - started).count());
    return 0;
}
