#pragma once

#include <QMenuBar>

namespace zv {

// A menu bar that shows when it holds the keys. Qt hands it the keys after a
// lone Alt, and Fusion draws nothing for that: the arrows would then move an
// unseen selection along the bar instead of steering the snake. Here its
// selected title is drawn highlighted while it holds them.
class MenuBar final : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zv
