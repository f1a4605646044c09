#pragma once

#include "screen/key_rules.h"

namespace zv {

// A key-down's virtual-key code as the game's key rules take it. The game's
// codes are Windows' virtual-key codes, and Windows already maps letters by
// their place on non-Latin layouts, so the code passes as it is.
KeyInput win32KeyInput(unsigned virtualKey);

// The modifiers held right now, from the thread's keyboard state.
HeldModifiers heldModifiers();

}  // namespace zv
