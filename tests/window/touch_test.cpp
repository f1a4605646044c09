// A finger on the board: real touch events from a touch screen; and a pen.
#include <QPointingDevice>

#include "window_support.h"

namespace wt {
namespace {

class Touch : public WindowTest {
protected:
    QTest::QTouchEventWidgetSequence touch(QWidget* on) { return QTest::touchEvent(on, finger.get()); }
    std::unique_ptr<QPointingDevice> finger{QTest::createTouchDevice()};
};

TEST_F(Touch, ASwipeSteersBeforeTheFingerLiftsAndATapPauses) {
    open();
    const QPoint from = centre(cellNumber(game(), 10, 10));
    const QPoint to = from + QPoint(30, 4);
    touch(board()).press(0, from, board());
    touch(board()).move(0, to, board());
    // Steered while the finger is still down.
    EXPECT_EQ(game().direction, "right");
    EXPECT_EQ(interval(), int(game().speed));
    touch(board()).release(0, to, board());
    const double x = game().headx;
    ticks(1);
    EXPECT_EQ(game().headx, x + 1);

    touch(board()).press(0, from, board());
    touch(board()).release(0, from + QPoint(2, -1), board());
    EXPECT_TRUE(shown(pause()));
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(game().direction, "right");

    // A tap on the Pause button is its click: play goes on.
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

    // A pen swipes as a finger does.
    const QPointingDevice pen("pen", 2, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
                              QInputDevice::Capability::Position, 1, 1);
    for (const auto& [type, at, held] : {std::tuple{QEvent::TabletPress, from, Qt::LeftButton},
                                        {QEvent::TabletMove, from - QPoint(30, 4), Qt::LeftButton},
                                        {QEvent::TabletRelease, from - QPoint(30, 4), Qt::NoButton}}) {
        QTabletEvent stroke(type, &pen, at, board()->mapToGlobal(at), 0.5, 0, 0, 0, 0, 0, {}, Qt::LeftButton, held);
        QApplication::sendEvent(board(), &stroke);
    }
    EXPECT_EQ(game().direction, "left");
}

}  // namespace
}  // namespace wt
