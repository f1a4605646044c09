#include "qt/caption_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>


namespace zv {

CaptionButton::CaptionButton(const ButtonLook& look, QWidget* parent)
    : QPushButton(QString::fromUtf8(look.caption), parent) {
    QFont font(QString::fromUtf8(look.face));
    font.setStyleHint(QFont::SansSerif);  // where the face is missing
    font.setPointSizeF(look.points);
    font.setWeight(QFont::Weight(look.weight));
    setFont(font);
    setAutoDefault(false);
    hide();
}

void CaptionButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) QPushButton::keyPressEvent(event);
    else event->ignore();
}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

}  // namespace zv
