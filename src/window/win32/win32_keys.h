#pragma once

#include <optional>

#include "screen/key_rules.h"

namespace zv {

// What the key handler receives for a key-down with this virtual-key code,
// or nothing for a modifier on its own. The game's codes are Windows'
// virtual-key codes, and Windows already maps letters by their place on
// non-Latin layouts, so the code passes as it is.
std::optional<KeyDown> win32KeyDown(unsigned virtualKey, HeldModifiers held);

// The modifiers held right now, from the thread's keyboard state.
HeldModifiers heldModifiers();

}  // namespace zv
