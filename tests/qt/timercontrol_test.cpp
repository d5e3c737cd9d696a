#include "qt/timercontrol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pomvexa::testing {
namespace {

constexpr std::int64_t microsecond = 1'000;
constexpr std::int64_t millisecond = 1'000'000;

// A clock whose time moves only when the test moves it, when a sleep ends, and by a microsecond
// at each reading, as it does while a loop waits on it. Its alarm rings when the test says the
// event loop woke.
class FakeClock : public TimerControl::Clock {
public:
    std::int64_t now() override {
        const std::int64_t read = time;
        time += microsecond;
        return read;
    }
    void setAlarm(std::int64_t at) override { alarm = at; }
    void sleepUntil(std::int64_t until) override { time = std::max(time, until + sleepOverrun); }

    // The event loop wakes `late` after the alarm's time and rings it.
    void wake(std::int64_t late) {
        ASSERT_NE(alarm, 0) << "no alarm set";
        time = std::max(time, alarm + late);
        alarm = 0;
        ring();
    }

    std::int64_t time = 1'000 * millisecond;
    std::int64_t alarm = 0;
    std::int64_t sleepOverrun = 0; // how much later than asked a sleep ends; negative: earlier
};

struct Ticking {
    Ticking() {
        auto owned = std::make_unique<FakeClock>();
        clock = owned.get();
        timer = std::make_unique<TimerControl>(nullptr, std::move(owned));
        QObject::connect(timer.get(), &TimerControl::ticked, [this] {
            ticks.push_back(clock->time);
            clock->time += handling;
        });
    }

    FakeClock* clock = nullptr;
    std::unique_ptr<TimerControl> timer;
    std::vector<std::int64_t> ticks;         // the clock's time at each tick
    std::int64_t handling = 3 * millisecond; // how long the game takes over a tick
};

// Tick k is due k intervals after the interval was set, however late the event loop wakes for
// it, however long the one before took to handle, and however a sleep misses its time; it is
// handed on when due, never before, or at once if the loop woke after that.
TEST(TimerControlTicks, HandedOnWhenDueNeverBeforeOnTheScheduleFromTheStart) {
    const struct {
        std::int64_t wakeLate, sleepOverrun;
    } cases[] = {{0, 0},
                 {0, 60 * microsecond},
                 {0, -60 * microsecond},
                 {1950 * microsecond, 0},
                 {3 * millisecond, 0}};
    for (const auto& [wakeLate, sleepOverrun] : cases) {
        SCOPED_TRACE(::testing::Message() << "wake " << wakeLate << " ns after the alarm, sleep "
                                          << sleepOverrun << " ns over");
        Ticking ticking;
        ticking.clock->sleepOverrun = sleepOverrun;
        const std::int64_t start = ticking.clock->time;
        ticking.timer->setInterval(250);
        for (int k = 1; k <= 30; ++k) {
            const std::int64_t due = start + k * 250 * millisecond;
            const std::int64_t woke = ticking.clock->alarm + wakeLate;
            ticking.clock->wake(wakeLate);
            ASSERT_EQ(ticking.ticks.size(), std::size_t(k));
            const std::int64_t tick = ticking.ticks.back();
            EXPECT_GE(tick, due) << "tick " << k << " before it was due";
            EXPECT_LE(tick, std::max(due, woke) + 10 * microsecond) << "tick " << k << " late";
        }
    }
}

// Ticks that fell due while the event loop was busy are one tick, and the schedule goes on from
// the start; a new interval starts a new schedule; interval 0 leaves no alarm set.
TEST(TimerControlTicks, MissedTicksAreOneAndANewIntervalStartsAfresh) {
    Ticking ticking;
    const std::int64_t start = ticking.clock->time;
    ticking.timer->setInterval(100);
    ticking.clock->wake(250 * millisecond); // ticks 1 to 3 due while the loop was busy
    ticking.clock->wake(0);
    ASSERT_EQ(ticking.ticks.size(), 2u);
    EXPECT_GE(ticking.ticks[1], start + 400 * millisecond);
    EXPECT_LE(ticking.ticks[1], start + 400 * millisecond + 10 * microsecond);

    const std::int64_t restart = ticking.clock->time;
    ticking.timer->setInterval(1000);
    ticking.clock->wake(0);
    ASSERT_EQ(ticking.ticks.size(), 3u);
    EXPECT_GE(ticking.ticks[2], restart + 1000 * millisecond);
    EXPECT_LE(ticking.ticks[2], restart + 1000 * millisecond + 10 * microsecond);

    ticking.timer->setInterval(0);
    EXPECT_EQ(ticking.clock->alarm, 0);
}

} // namespace
} // namespace pomvexa::testing
