#pragma once

#include <QWidget>

#include "screen/pixel_canvas.h"

namespace zv {

// The board on screen: the boxes asked for, copied from the picture the
// mid-end paints in memory, device pixel for device pixel, never scaled.
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
