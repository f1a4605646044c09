#pragma once

#include "game/numbers.h"

// The game's key codes: the virtual key codes of Windows, which every front
// end translates its own keys into. A letter or digit is its upper-case ASCII
// code ('A' is 65, '0' is 48).
namespace zv::keys {

inline constexpr Integer Backspace = 8;
inline constexpr Integer Tab = 9;
inline constexpr Integer Return = 13;
inline constexpr Integer Pause = 19;
inline constexpr Integer CapsLock = 20;
inline constexpr Integer Escape = 27;
inline constexpr Integer Space = 32;
inline constexpr Integer PageUp = 33;
inline constexpr Integer PageDown = 34;
inline constexpr Integer End = 35;
inline constexpr Integer Home = 36;
inline constexpr Integer Left = 37;
inline constexpr Integer Up = 38;
inline constexpr Integer Right = 39;
inline constexpr Integer Down = 40;
inline constexpr Integer Insert = 45;
inline constexpr Integer Delete = 46;
inline constexpr Integer P = 80;

// Function key n, 1 <= n <= 24.
constexpr Integer function(int n) { return Integer(111 + n); }

}  // namespace zv::keys
