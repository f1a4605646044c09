#include "qt/menu_bar.h"

#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace zv {

void MenuBar::watch(QMenu* menu) { menu->installEventFilter(this); }

bool MenuBar::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu || event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
        return QMenuBar::eventFilter(watched, event);
    // Closed as a click elsewhere closes it, which leaves the bar's keyboard
    // mode alone; a menu opened from the keyboard leaves the bar in that mode,
    // and the bar's own Escape ends it and gives the focus back to the widget
    // that had it.
    menu->hide();
    if (hasFocus()) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QMenuBar::keyPressEvent(&escape);
    }
    return true;
}

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
