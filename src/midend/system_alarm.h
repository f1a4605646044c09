#pragma once

#include "midend/alarm.h"
#include "midend/system_timer.h"

namespace zv {

// An alarm on the system's own timer, for a front end whose event loop waits
// on its handle() beside the window's events and calls woken() once it
// signalled: the program wakes only when the screen asked to be woken.
class SystemAlarm final : public Alarm {
public:
    // Takes over a timer from SystemTimer::make().
    explicit SystemAlarm(SystemTimer::Handle timer = SystemTimer::make()) : timer_(timer) {}

    Time now() const override { return SystemTimer::now(); }
    void wakeAt(std::optional<Time> due) override { timer_.wakeAt(due); }
    Time early() const override { return SystemTimer::early; }

    SystemTimer::Handle handle() const { return timer_.handle(); }
    void woken() {
        if (timer_.take() && onWake) onWake(now());
    }

private:
    SystemTimer timer_;
};

}  // namespace zv
