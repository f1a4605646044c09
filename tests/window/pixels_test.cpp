// The board on screen is the mid-end's own picture, pixel for pixel: Qt
// copies it and neither scales nor smooths it, at any screen scale.
#include <QPointingDevice>

#include "window/keys.h"
#include "headless_screen.h"
#include "window_support.h"

namespace wt {
namespace {

using Pixels = WindowTest;

// A shown button's place in device pixels, every pixel it may touch.
QRect devicePlace(const QWidget* button, qreal ratio) {
    const QRectF place = QRectF(button->geometry());
    return QRect(QPoint(int(std::floor(place.left() * ratio)), int(std::floor(place.top() * ratio))),
                 QPoint(int(std::ceil(place.right() * ratio)), int(std::ceil(place.bottom() * ratio))));
}

// Run once for each scale the test command sets: 1, 1.5 and 2.
TEST_F(Pixels, TheBoardOnScreenIsTheMidEndsPictureOfIt) {
    open({7, 30});
    const qreal ratio = board()->devicePixelRatioF();
    SCOPED_TRACE("device pixel ratio " + std::to_string(ratio));
    // The same board, played by the same events, on a front end with no toolkit.
    auto script = std::make_unique<ScriptedRandom>();
    ScriptedRandom& draws = *script;
    lineUpBoard(draws, 50, {7, 30});
    HeadlessScreen headless(std::move(script), ratio);
    const auto both = [&](Qt::Key qtKey, zv::Integer code, int ticksAfter) {
        key(qtKey);
        headless.screen.key(headless.now, zv::KeyDown{code, 0}, zv::Focus::Board);
        ticks(ticksAfter);
        for (int i = 0; i < ticksAfter; ++i) {
            draws.push(keepFood);
            headless.tick();
        }
    };
    both(Qt::Key_Up, zv::keys::Up, 3);
    both(Qt::Key_Left, zv::keys::Left, 2);
    both(Qt::Key_P, zv::keys::P, 0);
    ASSERT_EQ(headCell(game()), headCell(headless.game()));
    ASSERT_TRUE(shown(pause()));

    const QImage image = screen();
    ASSERT_EQ(image.size(), QSize(headless.width(), headless.height()));
    QRegion buttons;
    for (QWidget* button : {pause(), gameover()})
        if (shown(button)) buttons += devicePlace(button, ratio);
    int differ = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const zv::Rgb c = headless.at(x, y);
            if (buttons.contains(QPoint(x, y)) || pixel(image, {x, y}) == QColor(c.red, c.green, c.blue)) continue;
            if (differ++ == 0) first = {x, y};
        }
    EXPECT_EQ(differ, 0) << "first at " << first.x() << "," << first.y() << ": "
                         << describe(pixel(image, first.x() < 0 ? QPoint() : first));
    // The head's disc is there to be compared.
    const zv::Box disc = gameScreen().geometry().cellBox(headCell(game()));
    EXPECT_EQ(pixel(image, {disc.x + disc.width / 2, disc.y + disc.height / 2}), head);
}

// Moved to a screen of another scale, the window draws the board anew in that
// screen's pixels, buttons included, at its next paint.
TEST_F(Pixels, OnAScreenOfAnotherScaleTheBoardIsDrawnInItsPixels) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2) GTEST_SKIP() << "one screen; window.TwoScreens has two of different scales";
    open();
    QWindow* handle = window->windowHandle();
    QScreen* other = screens[handle->screen() == screens[0] ? 1 : 0];
    ASSERT_NE(other->devicePixelRatio(), board()->devicePixelRatioF());
    handle->setScreen(other);
    window->move(other->geometry().topLeft() + QPoint(10, 10));
    board()->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(gameScreen().geometry().ratio(), other->devicePixelRatio());
    EXPECT_EQ(screen().size(), QSize(window->picture().width(), window->picture().height()));
}

}  // namespace
}  // namespace wt
