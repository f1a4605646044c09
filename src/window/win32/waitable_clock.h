#pragma once

#include <windows.h>

#include <cstdint>

#include "screen/tick_clock.h"
#include "screen/tick_schedule.h"

namespace zv {

// The game clock as a waitable timer that the message loop waits on beside
// the window's messages. It is armed for each tick's due time on the tick
// schedule, so it wakes the program only when a tick falls due, and not at
// all while stopped. A high-resolution timer where Windows has one (10, 1803
// and later); elsewhere a plain one, with the system's timer resolution at
// 1 ms for as long as the clock runs.
class WaitableClock final : public TickClock {
public:
    WaitableClock();
    ~WaitableClock() override;
    WaitableClock(const WaitableClock&) = delete;
    WaitableClock& operator=(const WaitableClock&) = delete;

    void setInterval(int milliseconds) override;
    int interval() const override { return schedule_.interval(); }

    // What the message loop waits on.
    HANDLE handle() const { return timer_; }
    // The timer fired: runs the tick that fell due and arms the next one.
    void woken();

    bool highResolution() const { return highResolution_; }
    std::int64_t droppedTicks() const { return schedule_.droppedTicks(); }

private:
    void wakeAtNextDue();
    void holdFineResolution(bool hold);

    TickSchedule schedule_;
    HANDLE timer_ = nullptr;
    bool highResolution_ = false;
    bool fineResolutionHeld_ = false;
};

// Time on the performance counter, the monotonic clock the schedule runs on.
TickSchedule::Time monotonicNow();

}  // namespace zv
