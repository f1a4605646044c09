#include "midend/system_timer.h"

#include <algorithm>

#if defined(__linux__)
#include <sys/timerfd.h>
#include <unistd.h>
#elif defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// Windows 10 1803 has it; MinGW's headers do not name it yet.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif
#endif

namespace zv {

#if defined(__linux__)

// steady_clock is CLOCK_MONOTONIC on Linux.
SystemTimer::Handle SystemTimer::make() { return ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC); }

SystemTimer::~SystemTimer() {
    if (exists()) ::close(int(handle_));
}

// An absolute time, or none; either discards an expiration not read yet.
void SystemTimer::wakeAt(std::optional<Time> due) {
    itimerspec timing{};
    if (due) {
        timing.it_value.tv_sec = time_t(due->count() / 1'000'000'000);
        timing.it_value.tv_nsec = long(due->count() % 1'000'000'000);
    }
    ::timerfd_settime(int(handle_), TFD_TIMER_ABSTIME, &timing, nullptr);
}

bool SystemTimer::take() {
    std::uint64_t expirations = 0;
    return ::read(int(handle_), &expirations, sizeof expirations) == sizeof expirations;
}

#elif defined(_WIN32)

SystemTimer::Handle SystemTimer::make() {
    return Handle(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
}

SystemTimer::~SystemTimer() {
    if (exists()) CloseHandle(HANDLE(handle_));
}

// Relative to now, in 100 ns units: an absolute due time would be wall-clock
// time, which the user may set.
void SystemTimer::wakeAt(std::optional<Time> due) {
    if (!due) {
        CancelWaitableTimer(HANDLE(handle_));
        return;
    }
    LARGE_INTEGER wait;
    wait.QuadPart = -std::max<Time::rep>((*due - early - now()).count() / 100, 1);  // negative: relative
    SetWaitableTimer(HANDLE(handle_), &wait, 0, nullptr, nullptr, FALSE);
}

// The timer resets itself as its wait ends.
bool SystemTimer::take() { return true; }

#else

SystemTimer::Handle SystemTimer::make() { return none; }
SystemTimer::~SystemTimer() = default;
void SystemTimer::wakeAt(std::optional<Time>) {}
bool SystemTimer::take() { return false; }

#endif

}  // namespace zv
