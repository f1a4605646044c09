#include "qt/caption_button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "window/description.h"

namespace zv {

CaptionButton::CaptionButton(std::string_view caption, QWidget* parent)
    : QPushButton(QString::fromUtf8(caption), parent) {
    QFont font(QString::fromUtf8(description::buttonFont));
    font.setStyleHint(QFont::SansSerif);  // where Arial is missing
    font.setPointSizeF(description::buttonPointSize);
    font.setWeight(QFont::Weight(description::buttonWeight));
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
