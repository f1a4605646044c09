#pragma once

#include <windows.h>

#include <cstdint>

#include "screen/painting.h"

namespace zv {

// Draws the board's steps into the window's picture: a 32-bit top-down DIB
// section selected into a memory DC, in device pixels. Rectangles go through
// GDI with the DC brush, so nothing is created per cell; discs, which GDI
// draws with no smooth edge, are mixed straight into the pixels.
class GdiCanvas final : public Canvas {
public:
    struct Pixels {
        std::uint32_t* bits = nullptr;  // 0x00RRGGBB, rows top down
        int width = 0;
        int height = 0;
    };

    GdiCanvas(HDC dc, Pixels pixels) : dc_(dc), pixels_(pixels) {}

    void fillRect(const Box& box, Rgb colour) override;
    void fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) override;

private:
    HDC dc_;
    Pixels pixels_;
};

}  // namespace zv
