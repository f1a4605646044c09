#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "midend/alarm.h"

namespace zv {

// The system's own one-shot timer on the monotonic clock (steady_clock),
// behind one handle a front end's event loop waits on: a timerfd on Linux,
// a high-resolution waitable timer on Windows 10 version 1803 on. Elsewhere,
// and on an older Windows, there is none.
class SystemTimer {
public:
    using Time = Alarm::Time;
    using Handle = std::intptr_t;  // a file descriptor, or a Windows HANDLE
#ifdef _WIN32
    static constexpr Handle none = 0;
    // Windows' timers wake late more often than early, so each is set this much ahead.
    static constexpr Time early = Alarm::halfMillisecond;
#else
    static constexpr Handle none = -1;
    static constexpr Time early{};
#endif

    // A new timer of the system's, or none.
    static Handle make();
    static Time now() { return std::chrono::steady_clock::now().time_since_epoch(); }

    // Takes over a timer from make() (or none).
    explicit SystemTimer(Handle handle = make()) : handle_(handle) {}
    ~SystemTimer();
    SystemTimer(const SystemTimer&) = delete;
    SystemTimer& operator=(const SystemTimer&) = delete;

    bool exists() const { return handle_ != none; }
    Handle handle() const { return handle_; }
    // Signals the handle at `due`, replacing any time set before; nothing: never.
    void wakeAt(std::optional<Time> due);
    // Once the handle signalled: false when the wake-up was set anew meanwhile.
    bool take();

private:
    Handle handle_;
};

}  // namespace zv
