#pragma once

#include "midend/key_rules.h"

class QKeyEvent;

namespace zv {

// A Qt key event as the key rules take it.
KeyInput keyInput(const QKeyEvent& event);
HeldModifiers heldModifiers(const QKeyEvent& event);

}  // namespace zv
