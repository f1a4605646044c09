#pragma once

#include <optional>

#include "game/numbers.h"

namespace zv {

// Steering by finger. A touch that moves further than the dead zone from
// where it last turned is the arrow of its dominant direction, given the
// moment the finger crosses the line, not when it lifts; the touch goes on
// from there, so one touch can make several turns. A touch that lifts
// without ever leaving the dead zone is a tap: P. The keys then go through
// the game's own key rules, so a swipe back the way the snake came is
// refused as the arrow would be.
class Swipe {
public:
    // How far a finger moves before it steers, in logical pixels (CSS
    // pixels in a browser): about 3 mm, beyond a finger's jitter on a tap.
    static constexpr double deadZone = 16;

    void down(double x, double y);
    // The key code of a turn, or nothing.
    std::optional<Integer> move(double x, double y);
    // A last turn, or the P of a tap, or nothing.
    std::optional<Integer> up(double x, double y);
    // The system took the touch back (a gesture of its own): nothing more.
    void cancel() { active_ = false; }

private:
    bool active_ = false;
    bool turned_ = false;
    double x_ = 0;
    double y_ = 0;
};

}  // namespace zv
