#include "window/win32/gdi_canvas.h"

#include <cstddef>
#include <cstdint>

#include "screen/disc.h"

namespace zv {
namespace {

COLORREF colorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

}  // namespace

void GdiCanvas::fillRect(const Box& box, Rgb colour) {
    const RECT rect{box.x, box.y, box.right(), box.bottom()};
    SetDCBrushColor(dc_, colorRef(colour));
    FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Only the head and a crash cell are discs: the shared disc, written
// straight into the pixels, since GDI draws none with a smooth edge.
void GdiCanvas::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    if (!pixels_.bits) return;
    GdiFlush();  // the rectangles drawn so far are in the pixels, before these join them
    DiscPixels(square.width, pen).paint(square, {0, 0, pixels_.width, pixels_.height}, fill, outline,
                                        [&](int x, int y, Rgb c) {
        pixels_.bits[std::size_t(y) * std::size_t(pixels_.width) + std::size_t(x)] =
            std::uint32_t(c.red) << 16 | std::uint32_t(c.green) << 8 | c.blue;
    });
}

}  // namespace zv
