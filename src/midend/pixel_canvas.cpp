#include "midend/pixel_canvas.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "game/rgb.h"
#include "midend/disc.h"

namespace zv {

void PixelCanvas::put(std::uint8_t* pixel, Rgb colour) const {
    pixel[red_] = colour.red;
    pixel[1] = colour.green;
    pixel[2 - red_] = colour.blue;
}

bool PixelCanvas::resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    // In 64 bits: a 32-bit size_t wraps round on a large picture.
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * 4;
    if (bytes > pixels_.max_size()) return false;
    // Most new boards keep the size: the pixels stay, to be painted over,
    // rather than megabytes given back and asked for again.
    if (width == width_ && height == height_) {
        dirty_ = {0, 0, width_, height_};
        return true;
    }
    // A new buffer before the old one goes, so a failure leaves the old one whole.
    try {
        std::vector<std::uint8_t> fresh(std::size_t(bytes), 255);
        pixels_.swap(fresh);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    dirty_ = {0, 0, width_, height_};
    return true;
}

Box PixelCanvas::clip(const Box& box) const {
    const int left = std::max(0, box.x), right = std::min(width_, box.right());
    const int top = std::max(0, box.y), bottom = std::min(height_, box.bottom());
    if (left >= right || top >= bottom) return {};
    return {left, top, right - left, bottom - top};
}

void PixelCanvas::fillRect(const Box& whole, Rgb colour) {
    const Box box = clip(whole);
    if (box.empty()) return;
    std::uint8_t pixel[4] = {0, 0, 0, 255};
    put(pixel, colour);
    for (int y = box.y; y < box.bottom(); ++y) {
        std::uint8_t* p = &pixels_[(std::size_t(y) * std::size_t(width_) + std::size_t(box.x)) * 4];
        for (int x = box.x; x < box.right(); ++x, p += 4) std::memcpy(p, pixel, 4);
    }
    touch(box);
}

void PixelCanvas::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    const Box painted = DiscPixels(square.width, pen).paint(square, {0, 0, width_, height_}, fill, outline,
                                                            [&](int x, int y, Rgb colour) {
        put(&pixels_[(std::size_t(y) * std::size_t(width_) + std::size_t(x)) * 4], colour);
    });
    if (!painted.empty()) touch(painted);
}

Box PixelCanvas::takeDirty() { return std::exchange(dirty_, Box{}); }

void PixelCanvas::touch(const Box& box) {
    if (dirty_.empty()) {
        dirty_ = box;
        return;
    }
    const int left = std::min(dirty_.x, box.x), top = std::min(dirty_.y, box.y);
    const int right = std::max(dirty_.right(), box.right()), bottom = std::max(dirty_.bottom(), box.bottom());
    dirty_ = {left, top, right - left, bottom - top};
}

}  // namespace zv
