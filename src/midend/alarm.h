#pragma once

#include <functional>
#include <optional>

#include "midend/tick_schedule.h"

namespace zv {

// A desktop front end's one timer: it wakes the screen at the time the
// screen asks for, on a monotonic clock of its own. Each toolkit has its own
// (a kernel timer, a QTimer, a waitable timer); a test has one it moves by
// hand.
class Alarm {
public:
    using Time = TickSchedule::Time;

    virtual ~Alarm() = default;
    virtual Time now() const = 0;
    // Calls onWake at `due`, replacing any wake-up set before; nothing: none.
    virtual void wakeAt(std::optional<Time> due) = 0;
    // How soon before its time a wake-up may come.
    virtual Time early() const { return {}; }

    // A timer that counts whole milliseconds, or one set ahead because it
    // wakes late more often than early, comes up to half of one early.
    static constexpr Time halfMillisecond = std::chrono::microseconds(500);

    std::function<void(Time now)> onWake;
};

}  // namespace zv
