// The Speed and Size menus, chosen with the mouse and with their function keys.
#include <QAction>
#include <QMenu>

#include "window_support.h"

namespace wt {
namespace {

class Menus : public WindowTest {
protected:
    QMenuBar* bar() { return window->menuBar(); }

    // Clicks a title on the menu bar, as the player does to open (or close) it.
    void clickTitle(QMenu* menu) {
        QTest::mouseClick(bar(), Qt::LeftButton, {}, bar()->actionGeometry(menu->menuAction()).center());
        QCoreApplication::processEvents();
    }
    QAction* item(QMenu* menu, const QString& caption) {
        for (QAction* a : menu->actions())
            if (a->text() == caption) return a;
        ADD_FAILURE() << "no item " << caption.toStdString();
        return nullptr;
    }
    void clickItem(QMenu* menu, const QString& caption) {
        QAction* a = item(menu, caption);
        if (!a) return;
        const QPoint at = menu->actionGeometry(a).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
    }
    // Closes an open menu by clicking on the board beside it.
    void clickAway(QMenu* menu) {
        const QPoint away = board()->mapToGlobal(QPoint(board()->width() - 5, board()->height() - 5));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->mapFromGlobal(away));
        QCoreApplication::processEvents();
    }
    // The Alt key pressed and let go on its own, as the keyboard sends it.
    void altTap() {
        QTest::keyPress(focusHolder(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(focusHolder(), Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::processEvents();
    }
    // The colour inside the left edge of a title on the bar.
    QColor titleColour(QMenu* menu) {
        const QImage title = bar()->grab(bar()->actionGeometry(menu->menuAction())).toImage();
        return pixel(title, QPoint(2, title.height() / 2));
    }
    void startRunning() {
        key(Qt::Key_Right);
        ticks(2);
        ASSERT_EQ(interval(), int(game().speed));
    }
};

struct SpeedItem {
    Qt::Key key;
    const char* caption;
    int interval;
};
const SpeedItem speedItems[] = {
    {Qt::Key_F1, "Insane", 1},   {Qt::Key_F2, "Very Fast", 10}, {Qt::Key_F3, "Fast", 40},
    {Qt::Key_F4, "Medium", 75},  {Qt::Key_F5, "Slow", 250},     {Qt::Key_F6, "Very Slow", 1000},
};

struct SizeItem {
    Qt::Key key;
    const char* caption;
    int inner;  // cells inside the wall ring
};
const SizeItem sizeItems[] = {
    {Qt::Key_F7, "10x10", 10}, {Qt::Key_F8, "25x25", 25},     {Qt::Key_F9, "50x50", 50},
    {Qt::Key_F11, "75x75", 75}, {Qt::Key_F12, "100x100", 100},
};

TEST_F(Menus, OpeningAndClosingSpeedWithoutAChoicePauses) {
    open();
    startRunning();
    const int changes = alarm->changes;
    clickTitle(window->speedMenu());
    ASSERT_TRUE(window->speedMenu()->isVisible());
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));
    // A second click on the title closes it.
    clickTitle(window->speedMenu());
    ASSERT_FALSE(window->speedMenu()->isVisible());

    // Opening the menu was the only command: one stop, nothing more.
    EXPECT_EQ(alarm->changes, changes + 1);
    EXPECT_EQ(alarm->due(), std::nullopt);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));
    EXPECT_FALSE(shown(gameover()));
    EXPECT_EQ(game().speed, 75);

    // The keys are the game's again once the menu is gone.
    EXPECT_EQ(focusHolder(), board());
    key(Qt::Key_Down);
    EXPECT_EQ(game().direction, "down");
    EXPECT_EQ(interval(), int(game().speed));
}

TEST_F(Menus, ChoosingSlowWithTheMouseStopsAndLaterTicksEvery250) {
    open();
    startRunning();
    clickTitle(window->speedMenu());
    ASSERT_TRUE(window->speedMenu()->isVisible());
    clickItem(window->speedMenu(), "Slow");
    EXPECT_FALSE(window->speedMenu()->isVisible());
    EXPECT_EQ(game().speed, 250);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));
    EXPECT_FALSE(shown(gameover()));
    key(Qt::Key_Up);
    EXPECT_EQ(interval(), 250);
    EXPECT_TRUE(shown(pause()));
}

TEST_F(Menus, FunctionKeysOneToSixChooseTheSpeeds) {
    open();
    startRunning();
    for (const SpeedItem& s : speedItems) {
        SCOPED_TRACE(s.caption);
        QAction* a = item(window->speedMenu(), s.caption);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->shortcut(), QKeySequence(s.key));
        key(s.key);
        EXPECT_EQ(game().speed, s.interval);
        EXPECT_EQ(interval(), 0);
        EXPECT_TRUE(shown(pause()));
        click(pause());
        EXPECT_EQ(interval(), s.interval);
        EXPECT_FALSE(shown(pause()));
    }
    EXPECT_FALSE(shown(gameover()));
}

TEST_F(Menus, FunctionKeysForTheSizesHaltAndKeepTheBoard) {
    open();
    startRunning();
    for (const SizeItem& s : sizeItems) {
        SCOPED_TRACE(s.caption);
        QAction* a = item(window->sizeMenu(), s.caption);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->shortcut(), QKeySequence(s.key));
        key(s.key);
        // The wall ring adds a cell on each side.
        EXPECT_EQ(game().boardsize, s.inner + 2);
        EXPECT_TRUE(shown(gameover()));
        EXPECT_FALSE(shown(pause()));
        EXPECT_EQ(interval(), 0);
        // Any key plays on, on the board still on screen.
        key(Qt::Key_Space);
        EXPECT_EQ(interval(), int(game().speed));
        EXPECT_EQ(game().cols, 50);
    }
    ticks(1);
    EXPECT_TRUE(shown(gameover()));
    EXPECT_EQ(pixel(screen(), centre(cellNumber(game(), 50, 50))), wallFill);
}

TEST_F(Menus, F10ChoosesNothing) {
    open();
    key(Qt::Key_F10);
    EXPECT_EQ(interval(), 0);
    EXPECT_FALSE(shown(pause()));
    EXPECT_FALSE(shown(gameover()));
    startRunning();
    key(Qt::Key_F10);
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_EQ(game().speed, 75);
    EXPECT_EQ(game().boardsize, 50);
    EXPECT_FALSE(shown(pause()));
    EXPECT_FALSE(shown(gameover()));
}

// The game goes on while the Size menu is open.
TEST_F(Menus, OpeningSizeDoesNotStopTheClock) {
    open();
    startRunning();
    const int changes = alarm->changes;
    clickTitle(window->sizeMenu());
    ASSERT_TRUE(window->sizeMenu()->isVisible());
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_EQ(alarm->changes, changes);
    EXPECT_FALSE(shown(pause()));
    EXPECT_FALSE(shown(gameover()));
    const double x = game().headx;
    ticks(1);
    EXPECT_EQ(game().headx, x + 1);
    clickAway(window->sizeMenu());
    EXPECT_FALSE(window->sizeMenu()->isVisible());
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_EQ(game().boardsize, 50);
}

TEST_F(Menus, ChoosingASizeWithTheMouseHalts) {
    open();
    startRunning();
    clickTitle(window->sizeMenu());
    clickItem(window->sizeMenu(), "10x10");
    EXPECT_FALSE(window->sizeMenu()->isVisible());
    EXPECT_EQ(game().boardsize, 12);
    EXPECT_TRUE(shown(gameover()));
    EXPECT_EQ(interval(), 0);
}

// However a menu closes, the next arrow steers.
TEST_F(Menus, ClosingAMenuGivesTheKeysBackToTheBoard) {
    open();
    startRunning();
    const auto steers = [this](Qt::Key k, const char* direction) {
        EXPECT_FALSE(QApplication::activePopupWidget());
        EXPECT_EQ(focusHolder(), board());
        key(k);
        EXPECT_EQ(game().direction, direction);
        EXPECT_EQ(interval(), int(game().speed));
    };
    clickTitle(window->speedMenu());
    ASSERT_TRUE(window->speedMenu()->isVisible());
    key(Qt::Key_Escape);
    steers(Qt::Key_Down, "down");

    clickTitle(window->sizeMenu());
    clickAway(window->sizeMenu());
    steers(Qt::Key_Left, "left");
    clickTitle(window->speedMenu());
    clickItem(window->speedMenu(), "Fast");
    steers(Qt::Key_Up, "up");
}

// Alt alone hands the keys to the menu bar, which shows it; Escape takes them back.
TEST_F(Menus, ALoneAltShowsTheBarHoldingTheKeys) {
    open();
    startRunning();
    const QColor highlight = bar()->palette().color(QPalette::Highlight);
    EXPECT_NE(titleColour(window->speedMenu()), highlight);
    altTap();
    ASSERT_EQ(focusHolder(), bar());
    EXPECT_EQ(titleColour(window->speedMenu()), highlight) << describe(titleColour(window->speedMenu()));
    key(Qt::Key_Escape);
    EXPECT_NE(titleColour(window->speedMenu()), highlight);
    key(Qt::Key_Down);
    EXPECT_EQ(game().direction, "down");

    // Speed opened from the keyboard holds the game as a click does.
    altTap();
    key(Qt::Key_Down);
    EXPECT_TRUE(window->speedMenu()->isVisible() && shown(pause()) && interval() == 0);
    key(Qt::Key_Escape);
    key(Qt::Key_Left);
    EXPECT_EQ(game().direction, "left");
}

}  // namespace
}  // namespace wt
