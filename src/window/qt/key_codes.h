#pragma once

#include <optional>

#include "game/numbers.h"

namespace zv {

// The game's key code for a Qt key, or nothing for keys the game never sees
// (Shift, Ctrl, Alt and the like on their own). Arrows and letters get the
// codes the key handler tests; every other key gets a code of its own that
// none of those tests matches.
std::optional<Integer> virtualKeyCode(int qtKey);

}  // namespace zv
