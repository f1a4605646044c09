#include "window/qt/board_widget.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include "window/description.h"
#include "screen/disc.h"
#include "screen/painting.h"
#include "window/qt/key_codes.h"

namespace zv {
namespace {

QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }
quint64 packRgb(Rgb c) { return (quint64(c.red) << 16) | (quint64(c.green) << 8) | c.blue; }
QRect toQRect(const Box& b) { return QRect(b.x, b.y, b.width, b.height); }
Box toBox(const QRect& r) { return Box{r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

// Paints in device pixels on a painter that works in logical ones: each box's
// edges land on the same device pixels again.
class PainterCanvas final : public Canvas {
public:
    PainterCanvas(QPainter& painter, BoardWidget& board, qreal ratio) : painter_(painter), board_(board), ratio_(ratio) {}

    void fillRect(const Box& box, Rgb colour) override { painter_.fillRect(logical(box), toQColor(colour)); }

    // Discs are made once per colour, size and pen, then copied pixel for pixel.
    void fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) override {
        const quint64 key = (packRgb(fill) << 40) | (packRgb(outline) << 16) | (quint64(pen * 2) & 0x3f) << 10 |
                            (quint64(square.width) & 0x3ff);
        auto it = board_.discs_.find(key);
        if (it == board_.discs_.end()) it = board_.discs_.insert(key, disc(square.width, fill, outline, pen));
        painter_.drawImage(logical(square).topLeft(), *it);
    }

private:
    QRectF logical(const Box& b) const { return QRectF(b.x / ratio_, b.y / ratio_, b.width / ratio_, b.height / ratio_); }

    // The shared disc over the background it is always drawn on.
    QImage disc(int side, Rgb fill, Rgb outline, double pen) const {
        QImage image(side, side, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio_);
        image.fill(toQColor(description::background));
        const Box square{0, 0, side, side};
        DiscPixels(side, pen).paint(square, square, fill, outline, [&](int x, int y, Rgb c) {
            image.setPixel(x, y, qRgb(c.red, c.green, c.blue));
        });
        return image;
    }

    QPainter& painter_;
    BoardWidget& board_;
    qreal ratio_;
};

BoardWidget::BoardWidget(Shell& shell, QWidget* parent) : QWidget(parent), shell_(shell) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardWidget::fitToRatio() {
    if (shell_.setDevicePixelRatio(devicePixelRatioF())) discs_.clear();
}

void BoardWidget::rebuild(const Box& inner) {
    discs_.clear();  // the outline's width follows the cells' size
    setFixedSize(inner.width, inner.height);
    update();
}

QRect BoardWidget::cellRect(int n) {
    fitToRatio();
    return toQRect(shell_.geometry().repaintBox(n));
}

void BoardWidget::refresh(std::span<const std::int16_t> cells) {
    for (const auto n : cells)
        if (n > 0) update(cellRect(n));
}

void BoardWidget::paintEvent(QPaintEvent* event) {
    fitToRatio();
    QPainter painter(this);
    PainterCanvas canvas(painter, *this, shell_.geometry().ratio());
    const zorvane& game = shell_.game();
    // Far-apart cells arrive as separate rectangles; their bounding box could
    // span most of the board.
    for (const QRect& area : event->region()) {
        const Box device = shell_.geometry().toDevice(toBox(area));
        if (game.loaded())
            paintArea(canvas, shell_.geometry(), game.Block(), device);
        else
            canvas.fillRect(device, description::background);
    }
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    // Keys a focused button let through are not the window's.
    const QWidget* holder = window()->focusWidget();
    if (holder && holder != this) {
        event->ignore();
        return;
    }
    if (const auto key = gameKeyDown(*event)) emit keyDown(key->keyCode, key->shift);
}

}  // namespace zv
