#include "midend/tick_schedule.h"

#include <algorithm>

namespace zv {

bool TickSchedule::setInterval(int milliseconds, Time now) {
    milliseconds = std::max(milliseconds, 0);
    if (milliseconds == interval_) return false;
    interval_ = milliseconds;
    due_ = now + period();
    ++countdowns_;
    return true;
}

std::optional<TickSchedule::Time> TickSchedule::nextDue() const {
    if (interval_ == 0) return std::nullopt;
    return due_;
}

int TickSchedule::takeTicks(Time now, int most, Time early) {
    if (interval_ != 0 && now < due_ && due_ - now <= early) now = due_;
    if (interval_ == 0 || now < due_) return 0;
    const std::int64_t due = (now - due_) / period() + 1;
    due_ += period() * due;
    const std::int64_t run = std::min<std::int64_t>(due, most);
    dropped_ += due - run;
    return int(run);
}

int ticksWithin(std::chrono::nanoseconds span, int interval) {
    if (interval <= 0) return 1;
    return int(std::max<std::int64_t>(1, span / std::chrono::milliseconds(interval)));
}

}  // namespace zv
