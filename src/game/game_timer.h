#pragma once

#include "game/numbers.h"

namespace zv {

// The game clock as the game sees it: an interval in milliseconds, 0 = stopped.
// The window's shell turns it into real ticks.
struct GameTimer {
    Long interval = 0;
};

}  // namespace zv
