#pragma once

#include "game/rgb.h"

// What each role on the board is painted with.
namespace zv::paints {

inline constexpr Rgb obstacle{50, 50, 0};
inline constexpr Rgb food{255, 255, 255};
inline constexpr Rgb blueBlock{0, 0, 255};
inline constexpr Rgb head{0, 150, 100};
inline constexpr Rgb body{0, 255, 0};
inline constexpr Rgb crash{255, 0, 0};

}  // namespace zv::paints
