#include "midend/disc.h"

#include <algorithm>

namespace zv {

DiscPixels::DiscPixels(int side, double pen) : radius_(side / 2.0), inner_(std::max(side / 2.0 - pen, 0.0)) {}

DiscPixels::Share DiscPixels::at(int x, int y) const {
    constexpr int grid = 4;
    Share share;
    for (int j = 0; j < grid; ++j)
        for (int i = 0; i < grid; ++i) {
            const double dx = x + (i + 0.5) / grid - radius_;
            const double dy = y + (j + 0.5) / grid - radius_;
            const double d2 = dx * dx + dy * dy;
            if (d2 <= inner_ * inner_) ++share.fill;
            else if (d2 <= radius_ * radius_) ++share.ring;
        }
    return share;
}

Rgb DiscPixels::mix(Rgb under, Rgb outline, Rgb fill, Share share) {
    const int rest = samples - share.ring - share.fill;
    const auto part = [&](std::uint8_t u, std::uint8_t o, std::uint8_t f) {
        return std::uint8_t((u * rest + o * share.ring + f * share.fill + samples / 2) / samples);
    };
    return {part(under.red, outline.red, fill.red), part(under.green, outline.green, fill.green),
            part(under.blue, outline.blue, fill.blue)};
}

}  // namespace zv
