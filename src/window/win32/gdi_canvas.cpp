#include "window/win32/gdi_canvas.h"

#include <algorithm>
#include <cmath>

namespace zv {
namespace {

COLORREF colorRef(Rgb c) { return RGB(c.red, c.green, c.blue); }

}  // namespace

void GdiCanvas::fillRect(const Box& box, Rgb colour) {
    const RECT rect{box.x, box.y, box.right(), box.bottom()};
    SetDCBrushColor(dc_, colorRef(colour));
    FillRect(dc_, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void GdiCanvas::fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) {
    // An inside-frame pen keeps the ring within the square, as the cell's box promises.
    const int width = std::max(1, int(std::lround(pen)));
    HPEN ring = CreatePen(PS_INSIDEFRAME, width, colorRef(outline));
    const HGDIOBJ oldPen = SelectObject(dc_, ring);
    const HGDIOBJ oldBrush = SelectObject(dc_, GetStockObject(DC_BRUSH));
    SetDCBrushColor(dc_, colorRef(fill));
    Ellipse(dc_, square.x, square.y, square.right(), square.bottom());
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(ring);
}

}  // namespace zv
