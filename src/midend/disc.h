#pragma once

#include <algorithm>
#include <cstdint>

#include "game/rgb.h"
#include "midend/geometry.h"
#include "window/description.h"

namespace zv {

// The one picture of a round cell on every front end: a disc filling a
// square of `side` device pixels, its outer `pen` pixels in the outline
// colour, with smooth edges. Each pixel's share of ring and fill is found on
// a 4 x 4 grid of samples and mixed with the board's background, which is
// all a round cell ever lies on: the same board gives the same pixels
// whatever draws them, and drawing a disc again changes none.
class DiscPixels {
public:
    static constexpr int samples = 16;

    DiscPixels(int side, double pen);

    // How many of a pixel's samples fall in the ring and in the fill;
    // 0 <= x, y < side.
    struct Share {
        int ring = 0;
        int fill = 0;
        bool touched() const { return ring + fill > 0; }
    };
    Share at(int x, int y) const;

    // The pixel's colour: `under` where the disc leaves it (the background),
    // mixed with the outline and the fill by their shares.
    static Rgb mix(Rgb under, Rgb outline, Rgb fill, Share share);

    // The disc drawn in `square` (side x side), cut to `clip`: put(x, y,
    // colour) for every pixel it covers, in the colour it shows there.
    // Returns the part of the square inside the clip.
    template <typename Put>
    Box paint(const Box& square, const Box& clip, Rgb fill, Rgb outline, Put&& put) const {
        const int left = std::max(square.x, clip.x), right = std::min(square.right(), clip.right());
        const int top = std::max(square.y, clip.y), bottom = std::min(square.bottom(), clip.bottom());
        if (left >= right || top >= bottom) return {};
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (const Share share = at(x - square.x, y - square.y); share.touched())
                    put(x, y, mix(description::background, outline, fill, share));
        return {left, top, right - left, bottom - top};
    }

private:
    double radius_;
    double inner_;
};

}  // namespace zv
