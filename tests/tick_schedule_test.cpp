// The game clock's schedule, on a time the test sets by hand.
#include <gtest/gtest.h>

#include <chrono>

#include "midend/tick_schedule.h"

using namespace std::chrono_literals;
using zv::TickSchedule;

namespace {

// A clock started at time 0.
TickSchedule startedAt0(int milliseconds) {
    TickSchedule schedule;
    schedule.setInterval(milliseconds, 0ms);
    return schedule;
}

}  // namespace

TEST(TickSchedule, ASlowTickDoesNotPutTheNextOneBack) {
    TickSchedule s = startedAt0(10);
    EXPECT_FALSE(s.takeTick(9ms));
    EXPECT_TRUE(s.takeTick(17ms));  // woken late, or the tick before ran long
    EXPECT_FALSE(s.takeTick(19ms));
    EXPECT_TRUE(s.takeTick(20ms));
    EXPECT_EQ(s.nextDue(), 30ms);
    EXPECT_EQ(s.droppedTicks(), 0);
}

TEST(TickSchedule, AnEarlyWakeUpWithinItsAllowanceIsItsTickAndDropsNothing) {
    TickSchedule s = startedAt0(1);
    EXPECT_FALSE(s.takeTick(400us, 500us));
    EXPECT_TRUE(s.takeTick(600us, 500us));
    EXPECT_TRUE(s.takeTick(2900us, 500us));  // 0.9 ms late for the tick due at 2 ms
    EXPECT_EQ(s.droppedTicks(), 0);
    EXPECT_EQ(s.nextDue(), 3ms);
}

TEST(TickSchedule, TicksMissedWhileBusyAreDroppedAndCounted) {
    TickSchedule s = startedAt0(10);
    EXPECT_TRUE(s.takeTick(35ms));  // 10, 20 and 30 fell due: one runs
    EXPECT_EQ(s.droppedTicks(), 2);
    EXPECT_EQ(s.nextDue(), 40ms);

    // At 1 ms, fifty days busy drop more ticks than 32 bits count.
    TickSchedule insane = startedAt0(1);
    const std::chrono::milliseconds fiftyDays = std::chrono::hours(24 * 50);
    EXPECT_TRUE(insane.takeTick(fiftyDays));
    EXPECT_EQ(insane.droppedTicks(), fiftyDays.count() - 1);
}

TEST(TickSchedule, IntervalZeroStopsTheClock) {
    TickSchedule s = startedAt0(10);
    EXPECT_TRUE(s.setInterval(0, 5ms));
    EXPECT_FALSE(s.nextDue());
    EXPECT_FALSE(s.takeTick(1h));
    EXPECT_EQ(s.takeTicks(1h, 5), 0);
    EXPECT_EQ(s.droppedTicks(), 0);
    EXPECT_FALSE(s.setInterval(-5, 6ms));  // below 0 is stopped too
}

TEST(TickSchedule, OnlyANewIntervalStartsTheCountdownAfresh) {
    TickSchedule s = startedAt0(10);
    EXPECT_FALSE(s.setInterval(10, 7ms));  // a held key sets it over and over
    EXPECT_EQ(s.nextDue(), 10ms);
    EXPECT_TRUE(s.setInterval(25, 7ms));
    EXPECT_EQ(s.nextDue(), 32ms);
    s.setInterval(0, 8ms);
    EXPECT_TRUE(s.setInterval(25, 9ms));  // the same interval again, after a stop
    EXPECT_EQ(s.nextDue(), 34ms);
}

TEST(TickSchedule, CatchingUpRunsAtMostTheGivenNumberOfTicks) {
    TickSchedule s = startedAt0(10);
    EXPECT_EQ(s.takeTicks(45ms, 3), 3);  // 10, 20, 30 and 40 fell due
    EXPECT_EQ(s.droppedTicks(), 1);
    EXPECT_EQ(s.takeTicks(49ms, 3), 0);
    EXPECT_EQ(s.takeTicks(62ms, 3), 2);
    EXPECT_EQ(s.droppedTicks(), 1);
    EXPECT_EQ(s.nextDue(), 70ms);
}

// A 1 ms clock whose timer wakes up to half a millisecond early or a couple
// of milliseconds late keeps the game's pace: it runs what it missed within
// its catch-up span and drops only what lies beyond.
TEST(TickSchedule, AJitteryTimerCatchesUpWithinItsSpan) {
    const int most = zv::ticksWithin(4ms, 1);
    EXPECT_EQ(most, 4);
    EXPECT_EQ(zv::ticksWithin(4ms, 10), 1);  // slower speeds never run two at once
    EXPECT_EQ(zv::ticksWithin(100ms, 0), 1);
    TickSchedule s = startedAt0(1);
    EXPECT_EQ(s.takeTicks(600us, most, 500us), 1);   // early: the tick due at 1 ms
    EXPECT_EQ(s.takeTicks(3800us, most, 500us), 2);  // 2 and 3 ms, 0.8 ms late
    EXPECT_EQ(s.takeTicks(3900us, most, 500us), 1);  // early for 4 ms
    EXPECT_EQ(s.droppedTicks(), 0);
    EXPECT_EQ(s.takeTicks(20ms, most, 500us), most);  // held up: 5 to 20 fell due
    EXPECT_EQ(s.droppedTicks(), 16 - most);
    EXPECT_EQ(s.nextDue(), 21ms);

    // Every front end's clock runs the same rule: at 1 ms, a wake-up 30 ms
    // late makes up the span's worth and drops the rest; at 40 ms it runs one.
    const int span = int(TickSchedule::catchUpSpan / 1ms);
    int ran = 0;
    EXPECT_EQ(s.runDueTicks(51ms, 500us, [&] { ++ran; }), span);
    EXPECT_EQ(s.droppedTicks(), 16 - most + 31 - span);
    TickSchedule slow = startedAt0(40);
    EXPECT_EQ(slow.runDueTicks(130ms, 500us, [&] { ++ran; }), 1);
    EXPECT_EQ(ran, span + 1);
}

TEST(TickSchedule, ATickThatRestartsTheClockEndsTheRun) {
    TickSchedule s = startedAt0(1);
    int ran = 0;
    EXPECT_EQ(s.runDueTicks(5ms, 16, {}, [&] { ++ran; }), 5);
    const int restarting = s.runDueTicks(10ms, 16, {}, [&] {
        ++ran;
        s.setInterval(0, 10ms);  // a crash, then a new game
        s.setInterval(1, 10ms);
    });
    EXPECT_EQ(restarting, 1);  // 7 to 10 ms lapse with the old countdown
    EXPECT_EQ(ran, 6);
    EXPECT_EQ(s.nextDue(), 11ms);
}
