#pragma once

#include <QWidget>
#include <functional>

#include "screen/pixel_canvas.h"
#include "screen/screen.h"

namespace zv {

// The board on screen: the mid-end paints its picture in memory, device
// pixel for device pixel, and this widget copies the boxes asked for onto the
// screen as they are. It passes on the keys and touches it receives, at its
// own logical pixels.
class BoardWidget final : public QWidget {
public:
    explicit BoardWidget(QWidget* parent);

    PixelCanvas& picture() { return picture_; }

    // Whether the game took the key; one it leaves goes on to the window.
    std::function<bool(const QKeyEvent&)> onKey;
    std::function<void(Screen::Touch, QPointF)> onTouch;
    // The window came to a screen of another scale.
    std::function<void(double ratio)> onRatio;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PixelCanvas picture_;
    double ratio_ = 0;
};

}  // namespace zv
