#include "qt/beeper.h"
#include "qt/timercontrol.h"
#include "runtime/runtimeerror.h"

#include <QEventLoop>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace pomvexa::testing {
namespace {

// With the real clock: however busy the machine, no tick comes before it is due on the monotonic
// clock, k intervals after the interval was set. The event loop waits for them as the program's
// does, woken by the timer, not polled between sleeps, which would hide a tick that came early.
TEST(TimerControl, TicksThroughTheEventLoopUntilStopped) {
    using Clock = std::chrono::steady_clock;
    TimerControl timer(nullptr);
    QEventLoop loop;
    std::vector<Clock::time_point> ticks;
    bool elsewhere = false;
    QObject::connect(&timer, &TimerControl::ticked, [&] {
        ticks.push_back(Clock::now());
        elsewhere = elsewhere || QThread::currentThread() != qApp->thread();
        if (ticks.size() == 3)
            loop.quit();
    });
    EXPECT_EQ(timer.interval(), 0);

    const Clock::time_point set = Clock::now();
    timer.setInterval(10);
    EXPECT_EQ(timer.interval(), 10);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_FALSE(elsewhere);
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        const auto after = std::chrono::duration_cast<std::chrono::microseconds>(ticks[k] - set);
        EXPECT_GE(after.count(), 10'000 * static_cast<long long>(k + 1))
            << "tick " << k + 1 << ", microseconds after the interval was set";
    }

    timer.setInterval(0);
    EXPECT_EQ(timer.interval(), 0);
    const std::size_t stoppedAt = ticks.size();
    QTest::qWait(60);
    EXPECT_EQ(ticks.size(), stoppedAt) << "no tick after the interval was set to 0";
    EXPECT_THROW(timer.setInterval(-1), RuntimeError);
}

// The sound library is loaded on the beeper's own thread when sound is first asked for; where
// it cannot be, the fallback beeps, on the event loop's thread.
TEST(Beeper, WithoutTheSoundLibraryTheFallbackBeepsOnTheEventLoopsThread) {
    int fallbacks = 0;
    bool elsewhere = false;
    Beeper beeper("libpomvexa-no-such-library.so", [&] {
        ++fallbacks;
        elsewhere = elsewhere || QThread::currentThread() != qApp->thread();
    });
    beeper.prepare();
    beeper.beep();
    beeper.beep();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fallbacks == 2; }, 5000));
    EXPECT_FALSE(elsewhere);
}

} // namespace
} // namespace pomvexa::testing
