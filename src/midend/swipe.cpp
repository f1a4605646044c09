#include "midend/swipe.h"

#include <algorithm>
#include <cmath>

#include "window/keys.h"

namespace zv {

void Swipe::down(double x, double y) {
    active_ = true;
    turned_ = false;
    x_ = x;
    y_ = y;
}

std::optional<Integer> Swipe::move(double x, double y) {
    if (!active_) return std::nullopt;
    const double dx = x - x_;
    const double dy = y - y_;
    // Exactly diagonal says nothing yet: the next move will.
    if (std::max(std::abs(dx), std::abs(dy)) < deadZone || std::abs(dx) == std::abs(dy)) return std::nullopt;
    x_ = x;
    y_ = y;
    turned_ = true;
    if (std::abs(dx) > std::abs(dy)) return dx > 0 ? keys::Right : keys::Left;
    return dy > 0 ? keys::Down : keys::Up;
}

std::optional<Integer> Swipe::up(double x, double y) {
    auto turn = move(x, y);
    const bool tap = active_ && !turned_;
    active_ = false;
    if (tap) return keys::P;
    return turn;
}

}  // namespace zv
