#pragma once

#include <cstdint>
#include <vector>

#include "midend/painting.h"

namespace zv {

// The board as four bytes a pixel in memory: what a front end without a
// drawing toolkit of its own paints into (the browser's page copies it to
// its <canvas>). Remembers the box painted since it was last taken.
class PixelCanvas final : public Canvas {
public:
    // The order of a pixel's bytes: red first (RGBA) as a browser's canvas
    // takes them, or blue first with the fourth byte unused, as a 32-bit
    // Windows bitmap holds them, so that it is copied to the screen as it is.
    enum class Order { RedFirst, BlueFirst };
    explicit PixelCanvas(Order order = Order::RedFirst) : red_(order == Order::RedFirst ? 0 : 2) {}

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
    // The first byte of row y.
    const std::uint8_t* row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_) * 4; }
    // The part of a box that lies in the picture; empty where none does.
    Box clip(const Box& box) const;
    // What was painted since the last call, and forgets it.
    Box takeDirty();

private:
    void touch(const Box& box);
    void put(std::uint8_t* pixel, Rgb colour) const;

    int red_;  // the red byte's place in a pixel; blue's is across from it
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> pixels_;
    Box dirty_;
};

}  // namespace zv
