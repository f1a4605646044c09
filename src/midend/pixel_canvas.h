#pragma once

#include <cstdint>
#include <vector>

#include "midend/painting.h"

namespace zv {

// The board as RGBA bytes in memory: what a front end without a drawing
// toolkit of its own paints into (the browser's page copies it to its
// <canvas>). Remembers the box painted since it was last taken.
class PixelCanvas final : public Canvas {
public:
    // Sizes the picture in device pixels and marks all of it for copying:
    // a new size starts white, the same size keeps its pixels. False when
    // there is no room for it: the old picture is kept as it was.
    bool resize(int width, int height);

    void fillRect(const Box& box, Rgb colour) override;
    // The disc every front end draws (DiscPixels), mixed into the picture.
    void fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) override;

    int width() const { return width_; }
    int height() const { return height_; }
    const std::uint8_t* pixels() const { return pixels_.data(); }
    // The part of a box that lies in the picture; empty where none does.
    Box clip(const Box& box) const;
    // What was painted since the last call, and forgets it.
    Box takeDirty();

private:
    void touch(const Box& box);

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
    Box dirty_;
};

}  // namespace zv
