// What Qt adds to a finger on the board (a swipe and a tap are the player
// scenarios'): a tap on a button is its click, and a pen steers as a finger.
#include <QPointingDevice>

#include "window_support.h"

namespace wt {
namespace {

class Touch : public WindowTest {
protected:
    QTest::QTouchEventWidgetSequence touch(QWidget* on) { return QTest::touchEvent(on, finger.get()); }
    std::unique_ptr<QPointingDevice> finger{QTest::createTouchDevice()};
};

TEST_F(Touch, ATapOnPauseIsItsClickAndAPenSwipesAsAFingerDoes) {
    open();
    key(Qt::Key_Right);
    key(Qt::Key_P);
    ASSERT_TRUE(shown(pause()));
    const QPoint onPause = pause()->geometry().center();
    touch(board()).press(0, onPause, board());
    touch(board()).release(0, onPause, board());
    QCoreApplication::processEvents();
    EXPECT_FALSE(shown(pause()));
    EXPECT_EQ(interval(), int(game().speed));
    // Mouse and keyboard play on as before.
    key(Qt::Key_Up);
    EXPECT_EQ(game().direction, "up");
    ticks(1);

    // The pen's move between press and release changes no button, as Qt reports a stroke.
    const QPointingDevice pen("pen", 2, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
                              QInputDevice::Capability::Position, 1, 1);
    const QPoint from = centre(cellNumber(game(), 10, 10));
    for (const auto& [type, at, button, held] :
         {std::tuple{QEvent::TabletPress, from, Qt::LeftButton, Qt::LeftButton},
          {QEvent::TabletMove, from - QPoint(30, 4), Qt::NoButton, Qt::LeftButton},
          {QEvent::TabletRelease, from - QPoint(30, 4), Qt::LeftButton, Qt::NoButton}}) {
        QTabletEvent stroke(type, &pen, at, board()->mapToGlobal(at), 0.5, 0, 0, 0, 0, 0, {}, button, held);
        QApplication::sendEvent(board(), &stroke);
    }
    EXPECT_EQ(game().direction, "left");
}

}  // namespace
}  // namespace wt
