#pragma once

#include <optional>
#include <string_view>

#include "midend/drawn_menu_bar.h"
#include "midend/key_rules.h"

namespace zv {

// A browser's key-down as the game's rules take it: `key` and `code` are the
// KeyboardEvent's fields of those names (the symbol the layout types and the
// key's physical place).
KeyInput browserKey(std::string_view key, std::string_view code);

// The key handler's arguments for a browser's key-down, or nothing for a key
// the page leaves alone. With Alt held the key is the browser's (Alt+Left
// goes back, Alt+F4 closes the window); Alt on its own is the page's, for
// its menu bar, and never the game's.
std::optional<KeyDown> pageKeyDown(std::string_view key, std::string_view code, HeldModifiers held);

// Whether the page keeps a key-down from the browser (no scrolling, no
// shortcut of its own): a key the game took, or a function key, which is the
// game's even where it does nothing; on a focused button any key but Space
// and Enter, which press it. With Ctrl, Alt or the system key held the
// browser keeps its shortcuts.
bool pageKeepsKey(std::string_view key, HeldModifiers held, bool system, bool taken, bool onButton);

// What a browser's key does on the page's menu bar while it has the keys.
DrawnMenuBar::Key menuBarKey(std::string_view key);

}  // namespace zv
