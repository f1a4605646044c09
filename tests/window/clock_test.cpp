// The window's alarm on Qt's event loop, kernel timer or QTimer. When the
// game arms it is the mid-end's (screen_test.cpp).
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

}  // namespace
}  // namespace wt
