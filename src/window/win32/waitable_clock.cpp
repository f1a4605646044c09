#include "window/win32/waitable_clock.h"

#include <timeapi.h>

#include <algorithm>

namespace zv {
namespace {

using Time = TickSchedule::Time;
using namespace std::chrono_literals;

// Timers can wake a little late: each is armed this much early, and a
// wake-up that early counts as the tick it came for.
constexpr Time earlyBy = 500us;

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

}  // namespace

Time monotonicNow() {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    // Split so that the product cannot overflow after long uptimes.
    const LONGLONG seconds = count.QuadPart / frequency;
    const LONGLONG rest = count.QuadPart % frequency;
    return std::chrono::seconds(seconds) + Time(rest * 1'000'000'000 / frequency);
}

WaitableClock::WaitableClock() {
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    highResolution_ = timer_ != nullptr;
    if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
}

WaitableClock::~WaitableClock() {
    holdFineResolution(false);
    if (timer_) CloseHandle(timer_);
}

void WaitableClock::setInterval(int milliseconds) {
    if (!schedule_.setInterval(milliseconds, monotonicNow())) return;
    holdFineResolution(!highResolution_ && schedule_.interval() > 0);
    wakeAtNextDue();
}

// Armed relative to now, in 100 ns units, for the schedule's due time: a due
// time in absolute terms would be wall-clock time, which the user may set.
void WaitableClock::wakeAtNextDue() {
    const auto due = schedule_.nextDue();
    if (!due) {
        CancelWaitableTimer(timer_);
        return;
    }
    const auto wait = std::max<Time::rep>((*due - earlyBy - monotonicNow()).count() / 100, 0);
    LARGE_INTEGER dueTime;
    dueTime.QuadPart = -std::max<Time::rep>(wait, 1);  // negative: relative
    SetWaitableTimer(timer_, &dueTime, 0, nullptr, nullptr, FALSE);
}

void WaitableClock::woken() {
    schedule_.runDueTicks(monotonicNow(), earlyBy, [this] {
        if (onTick) onTick();
    });
    if (schedule_.interval() > 0) wakeAtNextDue();
}

void WaitableClock::holdFineResolution(bool hold) {
    if (hold == fineResolutionHeld_) return;
    fineResolutionHeld_ = hold;
    if (hold)
        timeBeginPeriod(1);
    else
        timeEndPeriod(1);
}

}  // namespace zv
