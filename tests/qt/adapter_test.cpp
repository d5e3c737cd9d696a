#include "qt/beeper.h"
#include "qt/timercontrol.h"
#include "runtime/runtimeerror.h"

#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace pomvexa::testing {
namespace {

TEST(TimerControl, TicksThroughTheEventLoopUntilStopped) {
    TimerControl timer(nullptr);
    int ticks = 0;
    bool elsewhere = false;
    QObject::connect(&timer, &TimerControl::ticked, [&] {
        ++ticks;
        elsewhere = elsewhere || QThread::currentThread() != qApp->thread();
    });
    EXPECT_EQ(timer.interval(), 0);

    timer.setInterval(10);
    EXPECT_EQ(timer.interval(), 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
    EXPECT_FALSE(elsewhere);

    timer.setInterval(0);
    EXPECT_EQ(timer.interval(), 0);
    const int stoppedAt = ticks;
    QTest::qWait(60);
    EXPECT_EQ(ticks, stoppedAt) << "no tick after the interval was set to 0";
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
