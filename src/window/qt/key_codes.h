#pragma once

#include <QtGlobal>
#include <optional>

#include "game/numbers.h"

namespace zv {

// The game's key code for a Qt key, or nothing for keys the game never sees
// (Shift, Ctrl, Alt and the like on their own). Arrows and letters get the
// codes the key handler tests; every other key gets a code of its own that
// none of those tests matches.
//
// A letter or digit key whose symbol is not Latin (Cyrillic, Greek, ...)
// counts as the letter or digit it has on a US keyboard, found from its scan
// code, so P pauses on every layout; a Latin symbol always wins, so on de, fr
// or dvorak the key that types p is P.
std::optional<Integer> virtualKeyCode(int qtKey, quint32 scanCode = 0);

// The letter or digit ('A'..'Z', '0'..'9') at this key's place on a US
// keyboard, by its X11 and Wayland scan code (the Linux key code plus 8).
std::optional<char> usKeyAt(quint32 scanCode);

}  // namespace zv
