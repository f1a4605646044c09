#pragma once

#include <windows.h>

#include "window/painting.h"

namespace zv {

// Draws the board's steps with GDI into a device context, in device pixels:
// rectangles with the DC brush, so nothing is created per cell, and discs
// with smooth edges inside the cell's square.
class GdiCanvas final : public Canvas {
public:
    explicit GdiCanvas(HDC dc) : dc_(dc) {}

    void fillRect(const Box& box, Rgb colour) override;
    void fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) override;

private:
    HDC dc_;
};

}  // namespace zv
