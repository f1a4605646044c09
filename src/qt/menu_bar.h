#pragma once

#include <QMenuBar>

namespace zv {

// A menu bar that never holds the keys out of sight. Qt keeps the bar in its
// keyboard mode after a menu is closed with Escape, or after a lone Alt, and
// Fusion draws nothing for that mode: the arrows would then move an unseen
// selection along the bar instead of steering the snake. Here Escape closes a
// menu and hands the keys straight back, as a click elsewhere or a chosen
// item already does, and while the bar does hold the keys its selected title
// is drawn highlighted.
class MenuBar final : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

    // Lets Escape in this menu hand the keys back.
    void watch(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zv
