#pragma once

#include <optional>

#include "screen/key_rules.h"

class QKeyEvent;

namespace zv {

// What the key handler receives for this key event, or nothing. The key's
// place comes from its X11 and Wayland scan code (the Linux key code plus 8).
std::optional<KeyDown> gameKeyDown(const QKeyEvent& event);

}  // namespace zv
