#pragma once

#include <cmath>
#include <cstdint>

// The game's number kinds. Integer and Long values are checked: a value that
// does not fit throws instead of wrapping, so a broken invariant shows up as
// an error rather than as a corrupted board.
namespace zv {

using Integer = std::int16_t;
using Long = std::int32_t;

// Boolean true as the game stores it in Integer variables.
inline constexpr Integer True = -1;
inline constexpr Integer False = 0;

// Rounds to the nearest whole number (halves to even) and checks the range.
Integer toInteger(double value);
Long toLong(double value);

Integer addInteger(Integer a, Integer b);
Integer mulInteger(Integer a, Integer b);
Long addLong(Long a, Long b);
Long subLong(Long a, Long b);

// The largest whole number not above the value.
inline double Int(double value) { return std::floor(value); }

}  // namespace zv
