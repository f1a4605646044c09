#pragma once

#include "game/numbers.h"

// Key codes the key handler tests (the platform's virtual key codes).
namespace zv::keys {

inline constexpr Integer Left = 37;
inline constexpr Integer Up = 38;
inline constexpr Integer Right = 39;
inline constexpr Integer Down = 40;
inline constexpr Integer P = 80;

}  // namespace zv::keys
