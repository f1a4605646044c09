#include "win32/waitable_clock.h"

#include <algorithm>

// Windows 10 1803 has it; MinGW's headers do not name it yet.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace zv {

HANDLE makeHighResolutionTimer() {
    return CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
}

// Set relative to now, in 100 ns units: a due time in absolute terms would be
// wall-clock time, which the user may set.
void WaitableClock::wakeAt(std::optional<Time> due) {
    if (!due) {
        CancelWaitableTimer(timer_);
        return;
    }
    LARGE_INTEGER wait;
    wait.QuadPart = -std::max<Time::rep>((*due - early() - now()).count() / 100, 1);  // negative: relative
    SetWaitableTimer(timer_, &wait, 0, nullptr, nullptr, FALSE);
}

}  // namespace zv
