// Times the Windows program's timer as a round at 250 ms uses it: 30 ticks from the moment the
// interval is set, each handled on the user-interface thread. Prints each tick's lateness
// against interval set + k x 250 ms, the mean and the worst, and how long the 30 took; then the
// processor time of the round, all threads of the process, beside that of a round on a plain
// user32 timer (SetTimer, WM_TIMER), both from the Linux scheduler's account that Wine shows
// under Z:\proc.
#include "win32/tickingtimer.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int jumps = 30;
constexpr int interval = 250; // ms

// Processor time of every thread of this process so far, in ms; negative where the scheduler's
// account cannot be read (not under Wine on Linux). The task folder is named by the process's
// Linux id, read from its own stat file: Wine lists folders in its server, where "self" is the
// server.
double processorMilliseconds() {
    std::FILE* stat = std::fopen("Z:\\proc\\self\\stat", "r");
    if (stat == nullptr)
        return -1;
    long process = 0;
    const bool read = std::fscanf(stat, "%ld", &process) == 1;
    std::fclose(stat);
    if (!read)
        return -1;
    const std::string tasks = "Z:\\proc\\" + std::to_string(process) + "\\task\\";
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((tasks + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return -1;
    long long total = 0;
    do {
        if (entry.cFileName[0] == '.')
            continue;
        const std::string path = tasks + entry.cFileName + "\\schedstat";
        if (std::FILE* schedstat = std::fopen(path.c_str(), "r")) {
            long long nanoseconds = 0;
            if (std::fscanf(schedstat, "%lld", &nanoseconds) == 1)
                total += nanoseconds;
            std::fclose(schedstat);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return total / 1e6;
}

void runMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
}

// A round on a plain user32 timer: its processor time in ms.
double plainTimerRound() {
    const double before = processorMilliseconds();
    int ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, interval, nullptr);
    MSG message;
    while (ticks < jumps && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER)
            ++ticks;
        DispatchMessageW(&message);
    }
    KillTimer(nullptr, timer);
    return processorMilliseconds() - before;
}

} // namespace

int main() {
    using Clock = std::chrono::steady_clock;
    using Milliseconds = std::chrono::duration<double, std::milli>;

    std::vector<Clock::time_point> ticks;
    pomvexa::win32::TickingTimer timer([&ticks] {
        ticks.push_back(Clock::now());
        if (ticks.size() == jumps)
            PostQuitMessage(0);
    });
    const double cpuBefore = processorMilliseconds();
    const Clock::time_point started = Clock::now();
    timer.setInterval(interval);
    runMessageLoop();
    timer.setInterval(0);
    const double cpu = processorMilliseconds() - cpuBefore;

    double total = 0;
    double worst = 0;
    for (int k = 0; k < jumps; ++k) {
        const double late =
            Milliseconds(ticks[k] - (started + std::chrono::milliseconds(interval * (k + 1))))
                .count();
        total += late;
        worst = std::max(worst, late);
    }
    std::printf("ticks at 250 ms: lateness mean / max, ms\t%.2f / %.2f\n", total / jumps, worst);
    std::printf("ticks at 250 ms: 30 jumps took, ms\t%.1f\n",
                Milliseconds(ticks.back() - started).count());
    if (cpu >= 0) {
        const double plain = plainTimerRound();
        std::printf("processor time of a round at 250 ms, ms: this timer / plain SetTimer "
                    "(ratio)\t%.1f / %.1f (%.2f)\n",
                    cpu, plain, cpu / plain);
    }
    return 0;
}
