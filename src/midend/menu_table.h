#pragma once

#include <span>
#include <string_view>

namespace zv {

// The menu bar as a front end builds it: captions and shortcut keys, no
// handlers. A front end reports what the player did by the places in this
// table (Screen::menuOpened, menuChosen, menuCommand).
struct MenuEntry {
    std::string_view caption;
    int functionKey = 0;          // its shortcut, F1..F24; 0 for none
    std::string_view shortcut;    // the shortcut as a menu shows it ("F1"), or ""
};

struct MenuBarTitle {
    std::string_view title;
    // Empty: a command on the bar itself rather than a menu.
    std::span<const MenuEntry> items;
};

// The bar from left to right.
std::span<const MenuBarTitle> menuTable();

}  // namespace zv
