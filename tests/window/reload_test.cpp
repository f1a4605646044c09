// New boards in the same window: Qt keeps the window's size, the board's
// widget fits the new board's picture, and the buttons stand where the
// screen places them (where that is, shell_test.cpp). What a new board
// holds is the player scenarios'.
#include "window_support.h"

namespace wt {
namespace {

using Reload = WindowTest;

TEST_F(Reload, EverySizeBuildsItsBoardInTheSameWindow) {
    for (int inner : {10, 50, 75, 100}) {
        SCOPED_TRACE(inner);
        open();
        const QSize size = window->size();
        const Qt::Key sizeKey = inner == 10 ? Qt::Key_F7 : inner == 50 ? Qt::Key_F9 : inner == 75 ? Qt::Key_F11 : Qt::Key_F12;
        key(sizeKey);
        lineUpBoard(*random, inner + 2);
        click(gameover());
        ASSERT_EQ(game().boardsize, inner + 2);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->size(), size);
        // The last ring cell reaches the board's far edge.
        EXPECT_EQ(cellRect((inner + 2) * (inner + 2)).bottomRight(), board()->rect().bottomRight());
        // Both buttons, shown, stand on the board where the screen placed them.
        key(Qt::Key_P);
        key(sizeKey);
        ASSERT_TRUE(shown(pause()) && shown(gameover()));
        for (const zv::Button which : {zv::Button::Pause, zv::Button::GameOver}) {
            const zv::Box place = zv::ScreenTestPeer::place(gameScreen(), which);
            EXPECT_EQ(zv::MainWindowPeer::button(*window, which)->geometry(), QRect(place.x, place.y, place.width, place.height));
        }
        window.reset();
    }
}

}  // namespace
}  // namespace wt
