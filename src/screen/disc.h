#pragma once

#include <cstdint>

#include "game/rgb.h"

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

private:
    double radius_;
    double inner_;
};

}  // namespace zv
