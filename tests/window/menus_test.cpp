// The native menu bar: the ways Qt closes a menu, and the bar's keyboard
// mode after a lone Alt. What opening, escaping and choosing do, and the
// shortcuts, are the player scenarios'.
#include <QAction>
#include <QMenu>

#include "window_support.h"

namespace wt {
namespace {

class Menus : public WindowTest {
protected:
    QMenuBar* bar() { return window->menuBar(); }
    void clickTitle(QMenu* menu) { wt::clickTitle(*window, menu->menuAction()); }
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

// However else a menu closes, by a click beside it or on its title again,
// the next arrow steers. Esc and a choice are the player scenarios'.
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
    clickTitle(menu("Size"));
    ASSERT_TRUE(menu("Size")->isVisible());
    clickAway(menu("Size"));
    steers(Qt::Key_Down, "down");

    clickTitle(menu("Speed"));
    ASSERT_TRUE(menu("Speed")->isVisible());
    clickTitle(menu("Speed"));
    EXPECT_FALSE(menu("Speed")->isVisible());
    steers(Qt::Key_Left, "left");
}

// Alt alone hands the keys to the menu bar, which shows it; Escape takes them back.
TEST_F(Menus, ALoneAltShowsTheBarHoldingTheKeys) {
    open();
    startRunning();
    const QColor highlight = bar()->palette().color(QPalette::Highlight);
    EXPECT_NE(titleColour(menu("Speed")), highlight);
    altTap();
    ASSERT_EQ(focusHolder(), bar());
    EXPECT_EQ(titleColour(menu("Speed")), highlight) << describe(titleColour(menu("Speed")));
    key(Qt::Key_Escape);
    EXPECT_NE(titleColour(menu("Speed")), highlight);
    key(Qt::Key_Down);
    EXPECT_EQ(game().direction, "down");

    // Speed opened from the keyboard holds the game as a click does.
    altTap();
    key(Qt::Key_Down);
    EXPECT_TRUE(menu("Speed")->isVisible() && shown(pause()) && interval() == 0);
    key(Qt::Key_Escape);
    key(Qt::Key_Left);
    EXPECT_EQ(game().direction, "left");
}

}  // namespace
}  // namespace wt
