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
class BoardWidget final : public QWidget {
    Q_OBJECT

public:
    explicit BoardWidget(const zorvane& game, QWidget* parent = nullptr);

    // After a load: takes the new board's size and repaints everything.
    void rebuild();
    // Schedules a repaint of just these cells.
    void refresh(std::span<const std::int16_t> cells);
    // Pixel box of board cell n (1-based).
    QRect cellRect(int n) const;

signals:
    void keyDown(int qtKey);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintArea(QPainter& painter, const QRect& area);
    QRect box(int column, int row) const;
    void drawCell(QPainter& painter, const Shape& cell, const QRect& box);
    const QPixmap& circle(const Shape& cell, QSize size);

    const zorvane& game_;
    int columns_ = 0;
    int rows_ = 0;
    // Pixel edges of the grid's columns and rows: columns_ + 1 and rows_ + 1 values.
    std::vector<int> xEdges_;
    std::vector<int> yEdges_;
    QHash<quint64, QPixmap> circles_;
};

// Twips to logical pixels.
int toPixels(float twips);

}  // namespace zv
