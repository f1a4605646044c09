#include "window/qt/board_widget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTouchEvent>

namespace zv {

BoardWidget::BoardWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardWidget::paintEvent(QPaintEvent*) {
    // The window may move to a screen of another scale at any time.
    if (devicePixelRatioF() != ratio_ && onRatio) onRatio(ratio_ = devicePixelRatioF());
    QImage image(picture_.pixels(), picture_.width(), picture_.height(), QImage::Format_RGBX8888);
    image.setDevicePixelRatio(devicePixelRatioF());
    // One image pixel on each device pixel, within the boxes asked for.
    QPainter(this).drawImage(QPoint(), image);
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    if (!onKey || !onKey(*event)) event->ignore();
}

bool BoardWidget::event(QEvent* event) {
    using Touch = Screen::Touch;
    Touch phase = Touch::Cancel;
    switch (event->type()) {
        case QEvent::TouchBegin: phase = Touch::Down; break;
        case QEvent::TouchUpdate: phase = Touch::Move; break;
        case QEvent::TouchEnd: phase = Touch::Up; break;
        case QEvent::TouchCancel: break;
        default: return QWidget::event(event);
    }
    const auto& points = static_cast<QTouchEvent*>(event)->points();
    const QPointF at = points.isEmpty() ? QPointF() : points.first().position();
    // A button under the finger takes the touch as the click Qt makes of it.
    if (phase == Touch::Down && childAt(at.toPoint())) {
        event->ignore();
        return false;
    }
    if (onTouch) onTouch(phase, at);
    return true;
}

}  // namespace zv
