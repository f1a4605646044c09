// New boards in the same window: Qt keeps the window's size, the board's
// widget fits the new board's picture, and the buttons stand where the
// screen places them. What a new board holds is the player scenarios'.
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
        // Pause still appears at its one place on every board (in twips, 15
        // to a pixel); Game Over of the same size sits in the board's middle.
        key(Qt::Key_P);
        key(sizeKey);
        ASSERT_TRUE(shown(pause()) && shown(gameover()));
        EXPECT_EQ(pause()->geometry(), QRect(3600 / 15, 3240 / 15, 1095 / 15, 735 / 15));
        EXPECT_EQ(gameover()->size(), pause()->size());
        const QPointF middle = QRectF(gameover()->geometry()).center() - QRectF(board()->rect()).center();
        EXPECT_LE(middle.manhattanLength(), 1.0);
        window.reset();
    }
}

}  // namespace
}  // namespace wt
