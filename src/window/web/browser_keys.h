#pragma once

#include <string_view>

#include "window/key_rules.h"

namespace zv {

// A browser's key-down as the game's rules take it: `key` and `code` are the
// KeyboardEvent's fields of those names (the symbol the layout types and the
// key's physical place).
KeyInput browserKey(std::string_view key, std::string_view code);

}  // namespace zv
