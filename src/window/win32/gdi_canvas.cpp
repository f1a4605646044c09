#include "window/win32/gdi_canvas.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace zv {
namespace {

COLORREF colorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

}  // namespace

void GdiCanvas::fillRect(const Box& box, Rgb colour) {
    const RECT rect{box.x, box.y, box.right(), box.bottom()};
    SetDCBrushColor(dc_, colorRef(colour));
    FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Only the head and a crash cell are discs. Every pixel of the disc's square
// is covered by the ring and the fill in some share, found on a 4 x 4 grid of
// samples, and mixed with what is already drawn there.
void GdiCanvas::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    const int side = square.width;
    if (side <= 0 || !pixels_.bits) return;
    GdiFlush();  // the rectangles drawn so far are in the pixels

    constexpr int grid = 4;
    const double radius = side / 2.0;
    const double inner = std::max(radius - pen, 0.0);
    for (int y = 0; y < side; ++y) {
        const int row = square.y + y;
        if (row < 0 || row >= pixels_.height) continue;
        for (int x = 0; x < side; ++x) {
            const int column = square.x + x;
            if (column < 0 || column >= pixels_.width) continue;
            int inDisc = 0;
            int inFill = 0;
            for (int j = 0; j < grid; ++j)
                for (int i = 0; i < grid; ++i) {
                    const double dx = x + (i + 0.5) / grid - radius;
                    const double dy = y + (j + 0.5) / grid - radius;
                    const double d2 = dx * dx + dy * dy;
                    inDisc += d2 <= radius * radius;
                    inFill += d2 <= inner * inner;
                }
            if (inDisc == 0) continue;
            const int samples = grid * grid;
            const int ring = inDisc - inFill;
            const int rest = samples - inDisc;
            auto mix = [&](std::uint8_t under, std::uint8_t ringPart, std::uint8_t fillPart) {
                return std::uint32_t((under * rest + ringPart * ring + fillPart * inFill + samples / 2) / samples);
            };
            std::uint32_t& pixel = pixels_.bits[std::size_t(row) * std::size_t(pixels_.width) + std::size_t(column)];
            const std::uint32_t under = pixel;
            pixel = mix(std::uint8_t(under >> 16), outline.red, fill.red) << 16 |
                    mix(std::uint8_t(under >> 8), outline.green, fill.green) << 8 |
                    mix(std::uint8_t(under), outline.blue, fill.blue);
        }
    }
}

}  // namespace zv
