#include "window/win32/gdi_canvas.h"

#include "screen/disc.h"
#include "window/description.h"

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

// Only the head and a crash cell are discs: the shared disc, written
// straight into the pixels, since GDI draws none with a smooth edge.
void GdiCanvas::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    if (square.width <= 0 || !pixels_.bits) return;
    GdiFlush();  // the rectangles drawn so far are in the pixels, before these join them
    const DiscPixels disc(square.width, pen);
    for (int y = std::max(square.y, 0); y < std::min(square.bottom(), pixels_.height); ++y) {
        for (int x = std::max(square.x, 0); x < std::min(square.right(), pixels_.width); ++x) {
            const auto share = disc.at(x - square.x, y - square.y);
            if (!share.touched()) continue;
            const Rgb mixed = DiscPixels::mix(description::background, outline, fill, share);
            pixels_.bits[std::size_t(y) * std::size_t(pixels_.width) + std::size_t(x)] =
                std::uint32_t(mixed.red) << 16 | std::uint32_t(mixed.green) << 8 | mixed.blue;
        }
    }
}

}  // namespace zv
