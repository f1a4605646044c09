// The waitable-timer clock in the real message loop.
#include "win32_support.h"
#include "window/win32/waitable_clock.h"

namespace wt {
namespace {

// Waits in the message loop's way until `done` or a generous deadline.
template <typename Done>
bool waitFor(zv::WaitableClock& clock, Done done) {
    const HANDLE timer = clock.handle();
    const ULONGLONG deadline = GetTickCount64() + 10'000;
    while (!done() && GetTickCount64() < deadline)
        if (MsgWaitForMultipleObjectsEx(1, &timer, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0)
            clock.woken();
    return done();
}

TEST(WaitableClock, TicksWhileRunningAndNeverWakesWhileStopped) {
    zv::WaitableClock clock;
    int ticks = 0;
    clock.onTick = [&] {
        if (++ticks == 5) clock.setInterval(0);
    };
    clock.setInterval(1);
    EXPECT_TRUE(waitFor(clock, [&] { return clock.interval() == 0; }));
    EXPECT_EQ(ticks, 5);
    // Stopped: the timer is cancelled, so the loop sleeps.
    EXPECT_EQ(WaitForSingleObject(clock.handle(), 50), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(ticks, 5);
}

// Woken late, the clock runs the ticks it missed within a screen refresh
// (16 ms at 1 ms a tick) and drops the ones before, unless a tick restarts it.
TEST(WaitableClock, CatchesUpAShortDelayAndDropsALongOne) {
    zv::WaitableClock clock;
    int ticks = 0;
    clock.onTick = [&] { ++ticks; };
    clock.setInterval(1);
    Sleep(5);  // at least five ticks fall due
    clock.woken();
    EXPECT_GE(ticks, 5);
    EXPECT_LE(ticks, 16);
    ticks = 0;
    const auto dropped = clock.droppedTicks();
    Sleep(100);
    clock.woken();
    EXPECT_EQ(ticks, 16);
    EXPECT_GE(clock.droppedTicks() - dropped, 100 - 16);

    // A tick that starts a new game restarts the clock: what the old
    // countdown owed lapses.
    ticks = 0;
    clock.onTick = [&] {
        ++ticks;
        clock.setInterval(0);
        clock.setInterval(1);
    };
    Sleep(5);
    clock.woken();
    EXPECT_EQ(ticks, 1);
}

// The window's game, driven by the real clock: an arrow starts it, and the
// head moves without any tick from the test.
TEST(WaitableClock, DrivesTheGameThroughTheWindow) {
    auto source = std::make_unique<ScriptedRandom>();
    ScriptedRandom& random = *source;
    lineUpBoard(random, 50);
    random.repeat(keepFood, 1000);
    auto owned = std::make_unique<zv::WaitableClock>();
    zv::WaitableClock& clock = *owned;
    zv::GameWindow window(std::move(source), std::move(owned));
    window.show(SW_SHOWNORMAL);
    PostMessageW(window.hwnd(), WM_KEYDOWN, VK_UP, 1);
    zv::pumpMessages(window);
    const double start = window.game().heady;
    EXPECT_TRUE(waitFor(clock, [&] {
        zv::pumpMessages(window);
        return window.game().heady <= start - 2;
    }));
}

}  // namespace
}  // namespace wt
