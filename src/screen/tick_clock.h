#pragma once

#include <functional>

namespace zv {

// The clock that drives the game's ticks, as the window sees it: each front
// end implements it with its own timer. An interval of 0 stops it.
class TickClock {
public:
    virtual ~TickClock() = default;
    // Setting the interval the clock already has leaves its countdown alone:
    // the key handler sets it on every key, and a held key must not freeze play.
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;

    std::function<void()> onTick;
};

}  // namespace zv
