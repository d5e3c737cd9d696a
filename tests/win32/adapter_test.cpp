#include "recordingruntime.h"
#include "runtime/runtimeerror.h"
#include "runtime/values.h"
#include "win32/drawingsurface.h"
#include "win32/tickingtimer.h"

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

using namespace std::chrono_literals;
using win32::DrawingSurface;

constexpr COLORREF grey = RGB(192, 192, 192);

TEST(DrawingSurface, KeepsWhatIsDrawnUntilCleared) {
    DrawingSurface surface({100, 100}, DrawingSurface::plain(grey));
    surface.setForeColor(black);
    surface.line(10, 10, 50, 10);
    surface.setFillStyle(FillStyle::solid);
    surface.setFillColor(yellow);
    surface.circle(50, 50, 20);
    surface.setDrawWidth(2);
    surface.arc(50, 50, 30, 3, 6.0F, 1.0F);

    EXPECT_EQ(surface.pixel(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(surface.pixel(50, 10), RGB(0, 0, 0)) << "a line includes its end point";
    EXPECT_EQ(surface.pixel(51, 10), grey);
    EXPECT_EQ(surface.pixel(50, 50), RGB(255, 255, 0)) << "filled with the fill colour";
    EXPECT_EQ(surface.pixel(50, 30), RGB(0, 0, 0)) << "outline in the foreground colour";
    EXPECT_EQ(surface.pixel(50, 28), grey);
    EXPECT_EQ(surface.pixel(80, 50), RGB(3, 0, 0)) << "the arc passes angle 0 on the right";
    EXPECT_EQ(surface.pixel(20, 50), grey) << "and never reaches the left";

    surface.cls();
    EXPECT_EQ(surface.pixel(10, 10), grey);
    EXPECT_EQ(surface.pixel(50, 50), grey);
    EXPECT_EQ(surface.pixel(80, 50), grey);
}

TEST(TickingTimer, TicksOnTheUserInterfaceThreadUntilStopped) {
    const DWORD userInterface = GetCurrentThreadId();
    int ticks = 0;
    bool elsewhere = false;
    win32::TickingTimer timer([&] {
        ++ticks;
        elsewhere = elsewhere || GetCurrentThreadId() != userInterface;
    });
    EXPECT_EQ(timer.interval(), 0);

    timer.setInterval(10);
    EXPECT_EQ(timer.interval(), 10);
    ASSERT_TRUE(runMessagesUntil([&] { return ticks >= 3; }, 5s));
    EXPECT_FALSE(elsewhere);

    timer.setInterval(0);
    EXPECT_EQ(timer.interval(), 0);
    const int stoppedAt = ticks;
    runMessagesUntil([] { return false; }, 60ms);
    EXPECT_EQ(ticks, stoppedAt) << "no tick after the interval was set to 0";
    EXPECT_THROW(timer.setInterval(-1), RuntimeError);
}

// A handler that runs a modal loop, as the end of a round does with its message box, is not
// entered again by the ticks that fall due meanwhile.
TEST(TickingTimer, TicksNeverOverlapWhileAHandlerRunsAModalLoop) {
    int running = 0;
    int overlaps = 0;
    int ticks = 0;
    win32::TickingTimer timer([&] {
        overlaps += running;
        ++running;
        if (++ticks == 1)
            runMessagesUntil([] { return false; }, 60ms);
        --running;
    });
    timer.setInterval(5);
    ASSERT_TRUE(runMessagesUntil([&] { return ticks >= 3; }, 5s));
    timer.setInterval(0);
    EXPECT_EQ(overlaps, 0);
}

using Clock = std::chrono::steady_clock;

// Counted over a span, as a busy machine may drop a late tick but never adds one: no tick
// before a whole interval has passed, at most one per interval, and most of them there.
TEST(TickingTimer, TicksOncePerIntervalCountedOverASpan) {
    std::vector<Clock::time_point> ticks;
    win32::TickingTimer timer([&] { ticks.push_back(Clock::now()); });
    const Clock::time_point set = Clock::now();
    timer.setInterval(100);
    runMessagesUntil([&] { return Clock::now() - set > 1050ms; }, 2s);
    timer.setInterval(0);
    ASSERT_FALSE(ticks.empty());
    EXPECT_GE(ticks.front() - set, 99ms) << "the first tick comes after one interval";
    EXPECT_LE(ticks.size(), 10U);
    EXPECT_GE(ticks.size(), 6U);
}

// A new interval starts a schedule of its own from the moment it is set: a tick of the old one
// that is still waiting to be handled is dropped, and the first new one comes a whole new
// interval later.
TEST(TickingTimer, NewIntervalStartsAFreshSchedule) {
    std::vector<Clock::time_point> ticks;
    win32::TickingTimer timer([&] { ticks.push_back(Clock::now()); });
    const Clock::time_point first = Clock::now();
    timer.setInterval(20);
    MSG waiting;
    while (Clock::now() - first < 120ms ||
           !PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE | PM_QS_POSTMESSAGE))
        Sleep(5); // the old schedule's tick is posted, not handled
    const Clock::time_point changed = Clock::now();
    timer.setInterval(150);
    ASSERT_TRUE(runMessagesUntil([&] { return !ticks.empty(); }, 5s));
    timer.setInterval(0);
    EXPECT_GE(ticks.front() - changed, 149ms);
}

TEST(Win32Runtime, RunTimeErrorInAHandlerIsShownAndTheProgramGoesOn) {
    RecordingRuntime runtime;
    bool nextHandlerRan = false;
    deliver(runtime, [] { throw RuntimeError(RuntimeError::overflow); });
    deliver(runtime, [&] { nextHandlerRan = true; });
    EXPECT_EQ(runtime.messages, std::vector<std::string>{"运行时错误 '6':\n\nOverflow"});
    EXPECT_EQ(runtime.titles, std::vector<std::string>{"Pomvexa"});
    EXPECT_TRUE(nextHandlerRan);
}

} // namespace
} // namespace pomvexa::testing
