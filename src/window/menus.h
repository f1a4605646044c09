#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "game/state.h"
#include "window/description.h"

namespace zv {

// A title on the menu bar and the handlers it raises. A title with items
// opens a menu; one without is a command on the bar itself.
struct MenuTitle {
    std::string_view title;
    std::span<const description::MenuItem> items;
    void (zorvane::*opened)() = nullptr;         // runs as the menu opens, before any choice
    void (zorvane::*chosen)(Integer) = nullptr;  // an item chosen, with its index
    void (zorvane::*clicked)() = nullptr;        // the command on the bar
};

// The menu bar from left to right. Only the Speed menu does something as it
// opens (it holds the game); opening Size raises nothing.
inline constexpr std::array<MenuTitle, 3> menuTitles{{
    {description::speedTitle, description::speedItems, &zorvane::mnuSpeed_Click, &zorvane::mnuSpd_Click},
    {description::sizeTitle, description::sizeItems, nullptr, &zorvane::mnuSz_Click},
    {description::quitTitle, {}, nullptr, nullptr, &zorvane::mnuQuit_Click},
}};

// The title at this place on the bar, or nothing for a place off it.
inline const MenuTitle* menuTitleAt(int title) {
    return title >= 0 && std::size_t(title) < menuTitles.size() ? &menuTitles[std::size_t(title)] : nullptr;
}

}  // namespace zv
