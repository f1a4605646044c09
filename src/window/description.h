#pragma once

#include <array>
#include <string_view>

#include "game/controls.h"
#include "window/keys.h"

// The window as it is described: what every load builds afresh.
namespace zv::description {

inline constexpr std::string_view title = "Zorvane";
inline constexpr float innerWidth = 8385;   // twips
inline constexpr float innerHeight = 7020;  // twips
// Outer size minus inner size: frame, title bar and menu bar.
inline constexpr float frameWidth = 100;
inline constexpr float frameHeight = 700;
inline constexpr float twipsPerPixel = 15;

inline constexpr Rgb background{255, 128, 0};
inline constexpr Rgb templateFill{255, 255, 128};
inline constexpr Rgb templateOutline{255, 0, 0};

inline constexpr std::string_view pauseCaption = "Pause";
inline constexpr std::string_view gameoverCaption = "Game Over";
inline constexpr std::string_view buttonFont = "Arial";
inline constexpr double buttonPointSize = 14.25;
inline constexpr int buttonWeight = 700;

Controls makeControls();

struct MenuItem {
    std::string_view caption;
    int index;
    Integer shortcut;  // a key code
};

inline constexpr std::string_view speedTitle = "Speed";
inline constexpr std::string_view sizeTitle = "Size";
inline constexpr std::string_view quitTitle = "Quit";

// An item's index is its value: the tick interval, or the inner side of the board.
inline constexpr std::array<MenuItem, 6> speedItems{{
    {"Insane", 1, keys::function(1)},
    {"Very Fast", 10, keys::function(2)},
    {"Fast", 40, keys::function(3)},
    {"Medium", 75, keys::function(4)},
    {"Slow", 250, keys::function(5)},
    {"Very Slow", 1000, keys::function(6)},
}};

// F10 is left out on purpose: the sizes use F7, F8, F9, F11 and F12.
inline constexpr std::array<MenuItem, 5> sizeItems{{
    {"10x10", 10, keys::function(7)},
    {"25x25", 25, keys::function(8)},
    {"50x50", 50, keys::function(9)},
    {"75x75", 75, keys::function(11)},
    {"100x100", 100, keys::function(12)},
}};

}  // namespace zv::description
