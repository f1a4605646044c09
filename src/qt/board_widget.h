#pragma once

#include <QWidget>

#include "midend/pixel_canvas.h"

namespace zv {

// The board on screen: the boxes asked for, copied from the picture the
// mid-end paints in memory, device pixel for device pixel, never scaled.
class BoardWidget final : public QWidget {
public:
    BoardWidget(const PixelCanvas& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PixelCanvas& picture_;
};

}  // namespace zv
