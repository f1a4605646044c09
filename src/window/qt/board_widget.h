#pragma once

#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <span>
#include <vector>

#include "game/state.h"

namespace zv {

// Draws the whole board from the game's cell array: one widget, no widget per
// cell. After a tick only the cells that changed are repainted.
//
// Cell edges are rounded once, in device pixels, so that every cell is within
// a pixel of every other at any screen scale.
class BoardWidget final : public QWidget {
    Q_OBJECT

public:
    explicit BoardWidget(const zorvane& game, QWidget* parent = nullptr);

    // After a load: takes the new board's size and repaints everything.
    void rebuild();
    // Schedules a repaint of just these cells.
    void refresh(std::span<const std::int16_t> cells);
    // The smallest box of logical pixels that holds everything board cell n
    // (1-based) draws.
    QRect cellRect(int n) const;

signals:
    // A key for the game's key handler: its key code and shift state.
    void keyDown(int keyCode, int shift);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitToRatio() const;
    void paintArea(QPainter& painter, const QRect& area);
    QRect box(int column, int row) const;
    QRectF toLogical(const QRect& device) const;
    void drawCell(QPainter& painter, const Shape& cell, const QRect& box);
    const QPixmap& circle(const Shape& cell, int side);

    const zorvane& game_;
    int columns_ = 0;
    int rows_ = 0;
    // Edges of the grid's columns and rows in twips: columns_ + 1 and rows_ + 1 values.
    std::vector<float> xTwips_;
    std::vector<float> yTwips_;
    // The same edges in device pixels at ratio_, and the outline's width there.
    mutable qreal ratio_ = 0;
    mutable int outlineWidth_ = 1;
    mutable std::vector<int> xEdges_;
    mutable std::vector<int> yEdges_;
    // Drawn for the ratio above; emptied when it changes.
    mutable QHash<quint64, QPixmap> circles_;
};

// Twips to logical pixels.
int toPixels(float twips);

}  // namespace zv
