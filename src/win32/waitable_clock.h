#pragma once

#include <windows.h>

#include <chrono>

#include "midend/alarm.h"

namespace zv {

// A timer that wakes to within a fraction of a millisecond (Windows 10
// version 1803 on); null where Windows has none.
HANDLE makeHighResolutionTimer();

// The window's alarm: a high-resolution waitable timer that the message loop
// waits on beside the window's messages, so the program wakes only when the
// screen asked to be woken, and not at all while the game stands still. The
// time is the steady clock's, which MinGW reads from the performance counter.
class WaitableClock final : public Alarm {
public:
    // Takes over the timer; the game's start checks that there is one
    // (startup.h), as a Windows older than 1803 makes none.
    explicit WaitableClock(HANDLE timer = makeHighResolutionTimer()) : timer_(timer) {}
    ~WaitableClock() override { CloseHandle(timer_); }
    WaitableClock(const WaitableClock&) = delete;
    WaitableClock& operator=(const WaitableClock&) = delete;

    Time now() const override { return std::chrono::steady_clock::now().time_since_epoch(); }
    void wakeAt(std::optional<Time> due) override;
    // Each wake-up is set this much before its time, as timers wake late
    // more often than early.
    Time early() const override { return halfMillisecond; }

    // What the message loop waits on; woken() once it was signalled.
    HANDLE handle() const { return timer_; }
    void woken() {
        if (onWake) onWake(now());
    }

private:
    HANDLE timer_ = nullptr;
};

}  // namespace zv
