#pragma once

#include <vector>

#include "screen/tick_clock.h"

// A clock that never fires by itself: a test or benchmark ticks by hand. It
// remembers every interval it was given.
class HandClock final : public zv::TickClock {
public:
    void setInterval(int milliseconds) override {
        calls.push_back(milliseconds);
        if (milliseconds != interval_) ++changes;
        interval_ = milliseconds;
    }
    int interval() const override { return interval_; }

    std::vector<int> calls;
    int changes = 0;

private:
    int interval_ = 0;
};
