#pragma once

#include <optional>

#include "midend/alarm.h"

// An alarm that never goes off by itself: a test moves time on to its next
// wake-up by hand. It counts how often it was set to a new time.
class HandAlarm final : public zv::Alarm {
public:
    Time now() const override { return now_; }
    void wakeAt(std::optional<Time> due) override {
        if (due != due_) ++changes;
        due_ = due;
    }
    std::optional<Time> due() const { return due_; }

    // Time moves on to the wake-up, which goes off: false when none was set.
    bool fire() {
        if (!due_) return false;
        now_ = *due_;
        if (onWake) onWake(now_);
        return true;
    }
    void advance(Time by) { now_ += by; }

    int changes = 0;

private:
    Time now_{};
    std::optional<Time> due_;
};
