#pragma once

#include <QPushButton>

#include "qt/main_window.h"
#include "screen_test_peer.h"

namespace zv {

// The window's inside for the tests: the Screen and the game behind it, the
// board and its buttons. The window itself shows none of them.
class MainWindowPeer {
public:
    static Screen& screen(MainWindow& window) { return window.screen_; }
    static zorvane& game(MainWindow& window) { return ScreenTestPeer::game(window.screen_); }
    static QWidget* board(MainWindow& window) { return window.parts_.board; }
    static QPushButton* button(MainWindow& window, Button which) {
        return static_cast<QPushButton*>(window.parts_.of(which));
    }
};

}  // namespace zv
