#pragma once

#include <cstdint>

namespace zv {

// A 24-bit colour. Colours are compared exactly: food is recognised by its fill.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

}  // namespace zv
