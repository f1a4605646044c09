#include "qt/board_widget.h"

#include <QPainter>

namespace zv {

BoardWidget::BoardWidget(const PixelCanvas& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardWidget::paintEvent(QPaintEvent*) {
    QImage image(picture_.pixels(), picture_.width(), picture_.height(), QImage::Format_RGBX8888);
    // One image pixel on each device pixel; the painter keeps to the boxes asked for.
    image.setDevicePixelRatio(devicePixelRatioF());
    QPainter(this).drawImage(QPoint(), image);
}

}  // namespace zv
