#pragma once

#include <QMenuBar>

namespace zv {

// A menu bar that shows when it holds the keys (after a lone Alt), which
// Fusion does not: the arrows would move an unseen selection, not the snake.
class MenuBar final : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zv
