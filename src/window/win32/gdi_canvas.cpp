#include "window/win32/gdi_canvas.h"

#include <algorithm>
#include <cmath>
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

// GDI draws no smooth edges, and only the head and a crash cell are discs,
// so each disc is worked out here: every pixel of its square is covered by
// the ring and the fill in some share, found on a 4 x 4 grid of samples, and
// mixed with what is already drawn there.
void GdiCanvas::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    const int side = square.width;
    if (side <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC memory = CreateCompatibleDC(dc_);
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        DeleteDC(memory);
        return;
    }
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, side, side, dc_, square.x, square.y, SRCCOPY);
    GdiFlush();

    constexpr int grid = 4;
    const double radius = side / 2.0;
    const double inner = std::max(radius - pen, 0.0);
    auto* pixel = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x, ++pixel) {
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
            const std::uint32_t under = *pixel;
            *pixel = mix(std::uint8_t(under >> 16), outline.red, fill.red) << 16 |
                     mix(std::uint8_t(under >> 8), outline.green, fill.green) << 8 |
                     mix(std::uint8_t(under), outline.blue, fill.blue);
        }
    BitBlt(dc_, square.x, square.y, side, side, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

}  // namespace zv
