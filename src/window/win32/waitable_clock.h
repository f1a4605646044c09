#pragma once

#include <windows.h>

#include "screen/alarm.h"

namespace zv {

// The window's alarm: a waitable timer that the message loop waits on beside
// the window's messages, so the program wakes only when the screen asked to
// be woken, and not at all while the game stands still. The time is the
// performance counter's. A high-resolution timer where Windows has one (10,
// 1803 and later); elsewhere a plain one, with the system's timer resolution
// at 1 ms for as long as a wake-up is set.
class WaitableClock final : public Alarm {
public:
    WaitableClock();
    ~WaitableClock() override;
    WaitableClock(const WaitableClock&) = delete;
    WaitableClock& operator=(const WaitableClock&) = delete;

    Time now() const override;
    void wakeAt(std::optional<Time> due) override;
    // Each wake-up is set this much before its time, as timers wake late
    // more often than early.
    Time early() const override { return std::chrono::microseconds(500); }

    // What the message loop waits on; woken() once it was signalled.
    HANDLE handle() const { return timer_; }
    void woken() {
        if (onWake) onWake(now());
    }
    bool highResolution() const { return highResolution_; }

private:
    void holdFineResolution(bool hold);

    HANDLE timer_ = nullptr;
    bool highResolution_ = false;
    bool fineResolutionHeld_ = false;
};

}  // namespace zv
