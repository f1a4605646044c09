// The Pause and Game Over buttons, and where the keyboard focus goes.
#include "window_support.h"

namespace wt {
namespace {

using Buttons = WindowTest;
using Focus = WindowTest;

TEST_F(Buttons, PauseClickResumesAndHidesItself) {
    open();
    key(Qt::Key_Right);
    key(Qt::Key_P);
    ASSERT_TRUE(shown(pause()));
    click(pause());
    EXPECT_FALSE(shown(pause()));
    EXPECT_EQ(interval(), int(game().speed));
    const double x = game().headx;
    ticks(1);
    EXPECT_EQ(game().headx, x + 1);
    EXPECT_EQ(interval(), int(game().speed));
}

TEST_F(Buttons, PauseClickWhileWaitingEndsTheGameOnTheFirstTick) {
    open();
    key(Qt::Key_P);
    click(pause());
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_FALSE(shown(pause()));
    const int start = headCell(game());
    ticks(1);
    EXPECT_EQ(headCell(game()), start);
    EXPECT_TRUE(shown(gameover()));
    EXPECT_EQ(interval(), 0);
    // The head ran into its own cell, which becomes the crash cell: red, and
    // still the head's circle. It lies under Game Over.
    EXPECT_TRUE(gameover()->geometry().contains(centre(start)));
    const QImage image = cellsOnly();
    const QRect box = cellRect(start);
    EXPECT_EQ(pixel(image, box.center()), crash) << describe(pixel(image, box.center()));
    EXPECT_EQ(pixel(image, box.topLeft()), background);
    EXPECT_EQ(countCells(image, head) + countCells(image, body), 0);
}

// Both buttons lie above the board and take a click at their middle, as the
// player would give it, on the window rather than straight to the button.
TEST_F(Buttons, AClickOnTheWindowReachesTheButtonUnderIt) {
    open();
    key(Qt::Key_Left);
    key(Qt::Key_P);
    key(Qt::Key_F8);
    ASSERT_TRUE(shown(pause()) && shown(gameover()));
    const QPoint onPause = pause()->mapTo(window.get(), pause()->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onPause);
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown(pause()));
    EXPECT_EQ(interval(), int(game().speed));

    lineUpBoard(*random, 27);
    const long loads = game().loadCount();
    const QPoint onGameOver = gameover()->mapTo(window.get(), gameover()->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, onGameOver);
    QCoreApplication::processEvents();
    EXPECT_EQ(game().loadCount(), loads + 1);
    EXPECT_EQ(game().boardsize, 27);
}

TEST_F(Focus, AfterClickingPauseTheArrowsReachTheGameAgain) {
    open();
    key(Qt::Key_Up);
    key(Qt::Key_P);
    click(pause());
    ASSERT_NE(window->focusWidget(), nullptr);
    EXPECT_TRUE(window->focusWidget()->isVisible());
    EXPECT_EQ(focusHolder(), board());
    key(Qt::Key_Left);
    EXPECT_EQ(game().direction, "left");
    key(Qt::Key_P);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));
}

TEST_F(Focus, PauseClickedWhileGameOverIsShownHandsTheFocusToGameOver) {
    open();
    key(Qt::Key_Right);
    key(Qt::Key_F8);
    key(Qt::Key_P);
    ASSERT_TRUE(shown(pause()) && shown(gameover()));
    click(pause());
    EXPECT_FALSE(shown(pause()));
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_EQ(focusHolder(), gameover());
    EXPECT_EQ(window->focusWidget(), gameover());
}

TEST_F(Focus, ArrowsDoNotReachTheGameWhileAButtonHoldsTheFocus) {
    open();
    key(Qt::Key_Right);
    key(Qt::Key_F8);
    key(Qt::Key_P);
    click(pause());
    ASSERT_EQ(focusHolder(), gameover());
    // The game stops before the key, so that a key reaching it would show.
    key(Qt::Key_P);
    EXPECT_FALSE(shown(pause()));
    EXPECT_EQ(interval(), int(game().speed));
    // No arrow hands the keys to the board behind the button.
    for (const Qt::Key k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Left}) {
        key(k);
        EXPECT_EQ(focusHolder(), gameover());
    }
    EXPECT_EQ(game().direction, "right");
    // A menu's shortcut works wherever the focus is.
    key(Qt::Key_F5);
    EXPECT_EQ(game().speed, 250);
    EXPECT_TRUE(shown(pause()));
}

TEST_F(Focus, GameOverClickLeavesTheFocusOnTheNewBoard) {
    open();
    key(Qt::Key_Down);
    key(Qt::Key_F7);
    lineUpBoard(*random, 12);
    click(gameover());
    ASSERT_EQ(game().boardsize, 12);
    ASSERT_NE(window->focusWidget(), nullptr);
    EXPECT_TRUE(window->focusWidget()->isVisible());
    EXPECT_EQ(focusHolder(), board());
    key(Qt::Key_Up);
    EXPECT_EQ(game().direction, "up");
    EXPECT_EQ(interval(), int(game().speed));
}

TEST_F(Focus, TabFromTheBoardGoesToGameOverFirst) {
    open();
    key(Qt::Key_Right);
    key(Qt::Key_F8);
    key(Qt::Key_P);
    ASSERT_TRUE(shown(pause()) && shown(gameover()));
    ASSERT_EQ(focusHolder(), board());
    key(Qt::Key_Tab);
    EXPECT_EQ(focusHolder(), gameover());
    // Moving the focus is not a key for the game: the clock stays stopped.
    EXPECT_EQ(interval(), 0);
    key(Qt::Key_Tab);
    EXPECT_EQ(focusHolder(), pause());
    // Back to Game Over and press it from the keyboard: a new game, and the
    // keys belong to the new board.
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(focusHolder(), gameover());
    lineUpBoard(*random, 27);
    key(Qt::Key_Space);
    EXPECT_EQ(game().boardsize, 27);
    EXPECT_FALSE(shown(gameover()));
    EXPECT_EQ(focusHolder(), board());
    key(Qt::Key_Down);
    EXPECT_EQ(interval(), int(game().speed));
}


}  // namespace
}  // namespace wt
