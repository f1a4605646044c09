// Quit ends the program at once, whatever the game is doing.
#include <QAction>
#include <QTimer>

#include "window_support.h"

namespace wt {
namespace {

class Quit : public WindowTest {
protected:
    // Runs the program's event loop until something ends it; `act` runs
    // first thing inside the loop. Returns false when only the safety
    // timer ended it.
    bool runUntilQuit(const std::function<void()>& act, int* exitCode) {
        bool fellBack = false;
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, qApp, [&] {
            fellBack = true;
            QCoreApplication::exit(99);
        });
        safety.start(5000);
        QTimer::singleShot(0, qApp, act);
        *exitCode = QApplication::exec();
        safety.stop();
        return !fellBack;
    }

    void expectEnded(double score) {
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(interval(), 0);
        // Nothing runs afterwards: not a tick, not a key, not a click.
        EXPECT_FALSE(alarm->fire());
        EXPECT_EQ(game().score, score);
        QTest::keyClick(board(), Qt::Key_Right);
        EXPECT_EQ(interval(), 0);
        window->quitAction()->trigger();
        const long loads = game().loadCount();
        gameover()->click();
        EXPECT_EQ(game().loadCount(), loads);
        EXPECT_EQ(random->remaining(), 0u);
    }
};

TEST_F(Quit, TheQuitCommandEndsARunningGame) {
    open();
    key(Qt::Key_Up);
    ticks(3);
    ASSERT_EQ(interval(), int(game().speed));
    const double score = game().score;
    int rc = -1;
    ASSERT_TRUE(runUntilQuit([this] { window->quitAction()->trigger(); }, &rc));
    EXPECT_EQ(rc, 0);
    expectEnded(score);
}

TEST_F(Quit, ClickingQuitOnTheMenuBarEndsAHaltedGame) {
    open();
    key(Qt::Key_Left);
    key(Qt::Key_P);
    key(Qt::Key_F8);
    const double score = game().score;
    int rc = -1;
    ASSERT_TRUE(runUntilQuit(
        [this] {
            QMenuBar* bar = window->menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(window->quitAction()).center());
        },
        &rc));
    EXPECT_EQ(rc, 0);
    expectEnded(score);
}

TEST_F(Quit, ClosingTheWindowEndsTheProgram) {
    open();
    key(Qt::Key_Down);
    ticks(2);
    const double score = game().score;
    int rc = -1;
    ASSERT_TRUE(runUntilQuit([this] { window->windowHandle()->close(); }, &rc));
    EXPECT_EQ(rc, 0);
    expectEnded(score);
}

}  // namespace
}  // namespace wt
