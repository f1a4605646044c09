// The real game clock on Qt's event loop: its own timer, kernel or QTimer.
#include <chrono>
#include <thread>

#include "window/qt/game_clock.h"
#include "window_support.h"

namespace wt {
namespace {

using Source = zv::GameClock::Source;

TEST(Clock, TicksOnItsOwnDropsWhatABusyTickMissesAndStopsAtZero) {
    for (Source source : {Source::KernelTimer, Source::QtTimer}) {
        SCOPED_TRACE(source == Source::KernelTimer ? "kernel timer" : "QTimer");
        zv::GameClock clock(source);
        const auto busy = std::chrono::milliseconds(30);
        int ticks = 0;
        clock.onTick = [&] {
            if (++ticks == 1) std::this_thread::sleep_for(busy);
        };
        clock.setInterval(1);
        // Of the ticks that fell due while the first one slept, only the
        // catch-up span's worth are made up; the rest are dropped.
        const int madeUp = zv::ticksWithin(zv::TickSchedule::catchUpSpan, 1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return clock.droppedTicks() >= busy.count() - 1 - madeUp; }, 5000));
        EXPECT_GE(ticks, 3);

        clock.setInterval(0);
        const int stoppedAt = ticks;
        QTest::qWait(20);
        EXPECT_EQ(ticks, stoppedAt);
    }
}

// The game's own window and clock: a key held down keeps the clock as it is.
TEST(Clock, AHeldArrowDoesNotRearmTheWindowsClock) {
    zv::MainWindow window(fixedSeed());
    auto* clock = dynamic_cast<zv::GameClock*>(&window.clock());
    ASSERT_NE(clock, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(clock->interval(), 0);

    QTest::keyClick(window.board(), Qt::Key_Right);
    ASSERT_EQ(clock->interval(), int(window.game().speed));
    const auto armed = clock->armCount();
    for (int i = 0; i < 20; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window.board(), &press);
    }
    // A fresh press of another key while running sets the same interval too.
    QTest::keyClick(window.board(), Qt::Key_Down);
    EXPECT_EQ(window.game().direction, "down");
    EXPECT_EQ(clock->armCount(), armed);
    EXPECT_EQ(clock->interval(), int(window.game().speed));

    // P stops it; the key that resumes starts it once.
    QTest::keyClick(window.board(), Qt::Key_P);
    EXPECT_EQ(clock->interval(), 0);
    EXPECT_EQ(clock->armCount(), armed + 1);
    QTest::keyClick(window.board(), Qt::Key_Left);
    EXPECT_EQ(clock->armCount(), armed + 2);
    QTest::keyClick(window.board(), Qt::Key_P);
    // P while paused sets the interval and stops it again inside one key:
    // the clock itself never starts.
    QTest::keyClick(window.board(), Qt::Key_P);
    EXPECT_EQ(clock->armCount(), armed + 3);
    EXPECT_EQ(clock->interval(), 0);
}

}  // namespace
}  // namespace wt
