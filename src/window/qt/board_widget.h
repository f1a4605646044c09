#pragma once

#include <QHash>
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <span>

#include "screen/shell.h"

namespace zv {

// Draws the whole board from the game's cell array: one widget, no widget per
// cell. After a tick only the cells that changed are repainted.
class BoardWidget final : public QWidget {
    Q_OBJECT

public:
    explicit BoardWidget(Shell& shell, QWidget* parent = nullptr);

    // After a load: takes the new board's size and repaints everything.
    void rebuild(const Box& inner);
    // Schedules a repaint of just these cells.
    void refresh(std::span<const std::int16_t> cells);
    // The smallest box of logical pixels that holds everything board cell n
    // (1-based) draws.
    QRect cellRect(int n);

signals:
    // A key for the game's key handler: its key code and shift state.
    void keyDown(int keyCode, int shift);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class PainterCanvas;
    // The window may move to a screen of another scale at any time.
    void fitToRatio();

    Shell& shell_;
    // Discs drawn at the current ratio, by colours, size and pen.
    QHash<quint64, QImage> discs_;
};

}  // namespace zv
