#include "qt/menu_bar.h"

#include <QPainter>
#include <QStyleOptionMenuItem>

namespace zv {

void MenuBar::paintEvent(QPaintEvent* event) {
    QMenuBar::paintEvent(event);
    QAction* selected = activeAction();
    if (!selected || !hasFocus()) return;
    // Drawn as Fusion draws an open menu's title.
    QStyleOptionMenuItem option;
    initStyleOption(&option, selected);
    option.rect = actionGeometry(selected);
    option.state |= QStyle::State_Selected | QStyle::State_Sunken;
    QPainter painter(this);
    style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, this);
}

}  // namespace zv
