#include "window/qt/board_widget.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/description.h"
#include "window/qt/key_codes.h"

namespace zv {
namespace {

QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

quint64 packRgb(Rgb c) { return (quint64(c.red) << 16) | (quint64(c.green) << 8) | c.blue; }

void toDevicePixels(const std::vector<float>& twips, qreal ratio, std::vector<int>& edges) {
    edges.resize(twips.size());
    for (std::size_t i = 0; i < twips.size(); ++i)
        edges[i] = int(std::lround(double(twips[i]) / description::twipsPerPixel * ratio));
}

// The smallest box on a grid scaled by num / den that holds every pixel of r:
// logical to device pixels and back, whichever way a repaint needs.
QRect scaledToCover(const QRect& r, qreal num, qreal den) {
    const auto down = [=](int v) { return int(std::floor(v * num / den)); };
    const auto up = [=](int v) { return int(std::ceil(v * num / den)); };
    return QRect(QPoint(down(r.left()), down(r.top())), QPoint(up(r.right() + 1) - 1, up(r.bottom() + 1) - 1));
}

}  // namespace

int toPixels(float twips) { return int(std::lround(twips / description::twipsPerPixel)); }

BoardWidget::BoardWidget(const zorvane& game, QWidget* parent) : QWidget(parent), game_(game) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardWidget::rebuild() {
    columns_ = int(game_.cols);
    rows_ = int(game_.rows);
    const BlockArray& cells = game_.Block();
    xTwips_.resize(std::size_t(columns_ + 1));
    yTwips_.resize(std::size_t(rows_ + 1));
    for (int c = 0; c < columns_; ++c) xTwips_[std::size_t(c)] = cells[1 + c].left;
    for (int r = 0; r < rows_; ++r) yTwips_[std::size_t(r)] = cells[1 + columns_ * r].top;
    const Shape& last = cells[columns_ * rows_];
    xTwips_.back() = last.left + last.width;
    yTwips_.back() = last.top + last.height;
    ratio_ = 0;
    setFixedSize(toPixels(game_.innerWidth()), toPixels(game_.innerHeight()));
    update();
}

// The window may move to a screen of another scale at any time.
void BoardWidget::fitToRatio() const {
    const qreal ratio = devicePixelRatioF();
    if (ratio == ratio_) return;
    ratio_ = ratio;
    outlineWidth_ = std::max(1, int(std::lround(ratio)));  // one logical pixel, in whole device pixels
    toDevicePixels(xTwips_, ratio, xEdges_);
    toDevicePixels(yTwips_, ratio, yEdges_);
    circles_.clear();
}

// A box of device pixels in the painter's logical pixels: its edges land on
// the same device pixels again.
QRectF BoardWidget::toLogical(const QRect& device) const {
    return QRectF(device.x() / ratio_, device.y() / ratio_, device.width() / ratio_, device.height() / ratio_);
}

// In device pixels: the box the cell is painted in.
QRect BoardWidget::box(int column, int row) const {
    const auto c = std::size_t(column);
    const auto r = std::size_t(row);
    return QRect(xEdges_[c], yEdges_[r], xEdges_[c + 1] - xEdges_[c], yEdges_[r + 1] - yEdges_[r]);
}

// A repaint of this box redraws the whole cell; the neighbours it grazes are
// redrawn too, so they come out unchanged.
QRect BoardWidget::cellRect(int n) const {
    fitToRatio();
    return scaledToCover(box((n - 1) % columns_, (n - 1) / columns_), 1, ratio_);
}

void BoardWidget::refresh(std::span<const std::int16_t> cells) {
    for (const auto n : cells)
        if (n > 0) update(cellRect(n));
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    fitToRatio();
    QPainter painter(this);
    // Far-apart cells arrive as separate rectangles; their bounding box could
    // span most of the board.
    for (const QRect& area : event->region()) paintArea(painter, scaledToCover(area, ratio_, 1));
}

// Area in device pixels.
void BoardWidget::paintArea(QPainter& painter, const QRect& area) {
    painter.fillRect(toLogical(area), toQColor(description::background));
    if (columns_ == 0 || !game_.loaded()) return;

    // The columns and rows whose boxes reach into the area.
    const auto firstBox = [](const std::vector<int>& edges, int from) {
        return int(std::upper_bound(edges.begin() + 1, edges.end(), from) - edges.begin()) - 1;
    };
    const auto lastBox = [](const std::vector<int>& edges, int to) {
        return int(std::lower_bound(edges.begin(), edges.end() - 1, to) - edges.begin()) - 1;
    };
    const int c0 = std::max(0, firstBox(xEdges_, area.left()));
    const int c1 = std::min(columns_ - 1, lastBox(xEdges_, area.right() + 1));
    const int r0 = std::max(0, firstBox(yEdges_, area.top()));
    const int r1 = std::min(rows_ - 1, lastBox(yEdges_, area.bottom() + 1));

    const BlockArray& cells = game_.Block();
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            const Shape& cell = cells[1 + c + columns_ * r];
            if (cell.visible) drawCell(painter, cell, box(c, r));
        }
    }
}

void BoardWidget::drawCell(QPainter& painter, const Shape& cell, const QRect& box) {
    if (box.isEmpty()) return;
    if (cell.kind == ShapeKind::Circle) {
        const int side = std::min(box.width(), box.height());
        const QPoint at(box.x() + (box.width() - side) / 2, box.y() + (box.height() - side) / 2);
        painter.drawPixmap(toLogical(QRect(at, QSize(side, side))).topLeft(), circle(cell, side));
        return;
    }
    painter.fillRect(toLogical(box), toQColor(cell.outline));
    const int w = outlineWidth_;
    if (box.width() > 2 * w && box.height() > 2 * w)
        painter.fillRect(toLogical(box.adjusted(w, w, -w, -w)), toQColor(cell.fill));
}

// Circles are drawn once per colour and size and then copied, pixel for pixel.
const QPixmap& BoardWidget::circle(const Shape& cell, int side) {
    const quint64 key = (packRgb(cell.fill) << 40) | (packRgb(cell.outline) << 16) | quint64(side);
    auto it = circles_.find(key);
    if (it != circles_.end()) return *it;

    QPixmap disc(side, side);
    disc.setDevicePixelRatio(ratio_);
    disc.fill(Qt::transparent);
    QPainter p(&disc);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal pen = std::min<qreal>(outlineWidth_, side / 2.0);
    p.setPen(QPen(toQColor(cell.outline), pen));
    p.setBrush(toQColor(cell.fill));
    p.scale(1 / ratio_, 1 / ratio_);  // in the disc's own pixels
    p.drawEllipse(QRectF(pen / 2, pen / 2, side - pen, side - pen));
    p.end();
    return *circles_.insert(key, disc);
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    // Keys a focused button let through are not the window's.
    const QWidget* holder = window()->focusWidget();
    if (holder && holder != this) {
        event->ignore();
        return;
    }
    if (const auto key = gameKeyDown(*event)) emit keyDown(key->keyCode, key->shift);
}

}  // namespace zv
