#pragma once

#include "midend/key_rules.h"

class QKeyEvent;

namespace zv {

// A Qt key event as the key rules take it. The key's place comes from its
// X11 and Wayland scan code (the Linux key code plus 8).
KeyInput keyInput(const QKeyEvent& event);
HeldModifiers heldModifiers(const QKeyEvent& event);

}  // namespace zv
