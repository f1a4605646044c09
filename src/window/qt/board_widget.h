#pragma once

#include <QWidget>

#include "screen/pixel_canvas.h"

namespace zv {

// The board on screen: the mid-end paints its picture in memory, device
// pixel by device pixel, and this widget copies the boxes asked for onto the
// screen as they are, neither scaled nor smoothed.
class BoardWidget final : public QWidget {
public:
    explicit BoardWidget(QWidget* parent);

    PixelCanvas& picture() { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PixelCanvas picture_;
};

}  // namespace zv
