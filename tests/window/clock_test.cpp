// The window's alarm on Qt's event loop, kernel timer or QTimer, and the
// clock as the window keeps it.
#include <chrono>

#include "qt/game_clock.h"
#include "window_support.h"

namespace wt {
namespace {

using namespace std::chrono_literals;
using Source = zv::GameClock::Source;
using Time = zv::Alarm::Time;

// It wakes once, not before the time asked (less what it may come early),
// and never for a wake-up taken back or replaced.
TEST(Clock, WakesAtTheTimeAskedAndNeverWhenCancelled) {
    for (Source source : {Source::KernelTimer, Source::QtTimer}) {
        zv::GameClock clock(source);
        // A build without the kernel timer has QTimer alone.
        SCOPED_TRACE(clock.usesKernelTimer() ? "kernel timer" : "QTimer");
        if (source == Source::QtTimer) {
            EXPECT_FALSE(clock.usesKernelTimer());
        }
        EXPECT_EQ(clock.early(), clock.usesKernelTimer() ? Time{} : Time(500us));
        std::vector<Time> woken;
        clock.onWake = [&](Time now) { woken.push_back(now); };

        const Time due = clock.now() + 20ms;
        clock.wakeAt(clock.now() + 5ms);  // replaced before it falls due
        clock.wakeAt(due);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !woken.empty(); }, 5000));
        EXPECT_GE(woken.front(), due - clock.early());
        EXPECT_LE(woken.front(), clock.now());
        QTest::qWait(30);
        EXPECT_EQ(woken.size(), 1u) << "one wake-up for one time asked";

        clock.wakeAt(clock.now() + 5ms);
        clock.wakeAt(std::nullopt);
        QTest::qWait(30);
        EXPECT_EQ(woken.size(), 1u) << "taken back";

        // A time already past wakes it straight away.
        clock.wakeAt(clock.now() - 1ms);
        EXPECT_TRUE(QTest::qWaitFor([&] { return woken.size() == 2; }, 5000));
    }
}

using WindowClock = WindowTest;

// A key held down keeps the clock's countdown as it is.
TEST_F(WindowClock, AHeldArrowDoesNotRearmTheClock) {
    open();
    EXPECT_EQ(alarm->due(), std::nullopt);
    key(Qt::Key_Right);
    ASSERT_EQ(interval(), int(game().speed));
    const auto due = alarm->due();
    ASSERT_EQ(due, alarm->now() + std::chrono::milliseconds(int(game().speed)));
    const int changes = alarm->changes;
    // Time goes on between the repeats: a countdown started anew would show.
    for (int i = 0; i < 20; ++i) {
        alarm->advance(1ms);
        repeatedKey(Qt::Key_Right);
    }
    // A fresh press of another key while running sets the same interval too.
    key(Qt::Key_Down);
    EXPECT_EQ(game().direction, "down");
    EXPECT_EQ(alarm->due(), due);
    EXPECT_EQ(alarm->changes, changes);

    // P stops it; the key that resumes starts it once.
    key(Qt::Key_P);
    EXPECT_EQ(alarm->due(), std::nullopt);
    EXPECT_EQ(alarm->changes, changes + 1);
    alarm->advance(1ms);
    key(Qt::Key_Left);
    EXPECT_EQ(alarm->due(), alarm->now() + std::chrono::milliseconds(int(game().speed)));
    EXPECT_EQ(alarm->changes, changes + 2);
    key(Qt::Key_P);
    // P while paused sets the interval and stops it again inside one key:
    // the clock itself never starts.
    key(Qt::Key_P);
    EXPECT_EQ(alarm->changes, changes + 3);
    EXPECT_EQ(alarm->due(), std::nullopt);
}

}  // namespace
}  // namespace wt
