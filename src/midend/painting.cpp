#include "midend/painting.h"

#include <algorithm>

#include "window/description.h"

namespace zv {

void paintArea(Canvas& canvas, const BoardGeometry& geometry, const BlockArray& cells, const Box& area) {
    canvas.fillRect(area, description::background);
    const auto columns = geometry.columnsIn(area);
    const auto rows = geometry.rowsIn(area);
    for (int r = rows.first; r <= rows.last; ++r) {
        for (int c = columns.first; c <= columns.last; ++c) {
            const Shape& cell = cells[1 + c + geometry.columns() * r];
            if (cell.visible) paintCell(canvas, cell, geometry.box(c, r), geometry.outlineWidth());
        }
    }
}

void paintCell(Canvas& canvas, const Shape& cell, const Box& box, int outlineWidth) {
    if (box.empty()) return;
    if (cell.kind == ShapeKind::Circle) {
        const int side = std::min(box.width, box.height);
        const Box square{box.x + (box.width - side) / 2, box.y + (box.height - side) / 2, side, side};
        canvas.fillDisc(square, cell.fill, cell.outline, std::min(double(outlineWidth), side / 2.0));
        return;
    }
    canvas.fillRect(box, cell.outline);
    const int w = outlineWidth;
    if (box.width > 2 * w && box.height > 2 * w)
        canvas.fillRect(Box{box.x + w, box.y + w, box.width - 2 * w, box.height - 2 * w}, cell.fill);
}

}  // namespace zv
