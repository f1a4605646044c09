#include "window/qt/board_widget.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "window/description.h"

namespace zv {
namespace {

QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

quint64 packRgb(Rgb c) { return (quint64(c.red) << 16) | (quint64(c.green) << 8) | c.blue; }

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
    xEdges_.resize(std::size_t(columns_ + 1));
    yEdges_.resize(std::size_t(rows_ + 1));
    for (int c = 0; c < columns_; ++c) xEdges_[std::size_t(c)] = toPixels(cells[1 + c].left);
    for (int r = 0; r < rows_; ++r) yEdges_[std::size_t(r)] = toPixels(cells[1 + columns_ * r].top);
    const Shape& last = cells[columns_ * rows_];
    xEdges_.back() = toPixels(last.left + last.width);
    yEdges_.back() = toPixels(last.top + last.height);
    setFixedSize(toPixels(game_.innerWidth()), toPixels(game_.innerHeight()));
    update();
}

// The same box the cell is painted in, so a repaint covers exactly the cell.
QRect BoardWidget::box(int column, int row) const {
    const auto c = std::size_t(column);
    const auto r = std::size_t(row);
    return QRect(xEdges_[c], yEdges_[r], xEdges_[c + 1] - xEdges_[c], yEdges_[r + 1] - yEdges_[r]);
}

QRect BoardWidget::cellRect(int n) const { return box((n - 1) % columns_, (n - 1) / columns_); }

void BoardWidget::refresh(std::span<const std::int16_t> cells) {
    for (const auto n : cells)
        if (n > 0) update(cellRect(n));
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Far-apart cells arrive as separate rectangles; their bounding box could
    // span most of the board.
    for (const QRect& area : event->region()) paintArea(painter, area);
}

void BoardWidget::paintArea(QPainter& painter, const QRect& area) {
    painter.fillRect(area, toQColor(description::background));
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
        const QPixmap& disc = circle(cell, QSize(side, side));
        painter.drawPixmap(box.x() + (box.width() - side) / 2, box.y() + (box.height() - side) / 2, disc);
        return;
    }
    painter.fillRect(box, toQColor(cell.outline));
    if (box.width() > 2 && box.height() > 2) painter.fillRect(box.adjusted(1, 1, -1, -1), toQColor(cell.fill));
}

// Circles are drawn once per colour and size and then copied.
const QPixmap& BoardWidget::circle(const Shape& cell, QSize size) {
    const quint64 key = (packRgb(cell.fill) << 40) | (packRgb(cell.outline) << 16) | quint64(size.width());
    auto it = circles_.find(key);
    if (it != circles_.end()) return *it;

    const qreal dpr = devicePixelRatioF();
    QPixmap disc(size * dpr);
    disc.setDevicePixelRatio(dpr);
    disc.fill(Qt::transparent);
    QPainter p(&disc);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toQColor(cell.outline), 1));
    p.setBrush(toQColor(cell.fill));
    p.drawEllipse(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0));
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
    emit keyDown(event->key());
}

}  // namespace zv
