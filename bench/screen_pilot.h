#pragma once

// The pilot (pilot.h) at the wheel of a front end's zv::Screen: it turns the
// snake between ticks, its key arriving just before the tick it is for, and
// starts a new game once the snake has crashed, as the desktop benchmarks do.
#include <optional>

#include "pilot.h"
#include "midend/screen.h"

namespace bench {

class ScreenPilot {
public:
    using Time = zv::Screen::Time;

    explicit ScreenPilot(zv::Screen& screen)
        : screen_(screen), pilot_(screen.game(), [this](Integer code) {
              screen_.key(pressAt_, zv::KeyDown{code, 0}, zv::Focus::Board);
          }) {}

    // The wake-up at `now`: the ticks due by then, one at a time at its due
    // time with a turn before it; the last of the ticks the catch-up allows
    // takes the rest as the clock's own wake-up would. Returns how many ran.
    int wake(Time now) {
        const int most = zv::ticksWithin(zv::TickSchedule::catchUpSpan, screen_.interval());
        int ran = 0;
        for (int n = 1; n <= most && screen_.nextDue() && *screen_.nextDue() <= now; ++n) {
            pressAt_ = *screen_.nextDue() - Time(1);
            pilot_.steer();
            if (const auto due = screen_.nextDue()) ran += n < most ? screen_.wake(*due) : screen_.wake(now, {}, 1);
        }
        if (!screen_.nextDue() && screen_.game().gameover().shown) {
            screen_.click(now, zv::Button::GameOver);
            pressAt_ = now;
            pilot_.steer();
        }
        return ran;
    }

private:
    zv::Screen& screen_;
    Time pressAt_{};
    Pilot pilot_;
};

}  // namespace bench
