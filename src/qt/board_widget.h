#pragma once

#include <QWidget>

#include "midend/pixel_canvas.h"

namespace zv {

// The board: the mid-end's picture, copied device pixel for device pixel.
class BoardWidget final : public QWidget {
public:
    BoardWidget(const PixelCanvas& picture, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PixelCanvas& picture_;
};

}  // namespace zv
