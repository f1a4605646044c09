// What Qt shows of the board: the title before the window shows, and what
// a tick repaints. The picture itself is the mid-end's (pixels_test.cpp).
#include <QPaintEvent>

#include "window_support.h"

namespace wt {
namespace {

// Collects the areas the board is asked to repaint.
class PaintSpy final : public QObject {
public:
    explicit PaintSpy(QWidget* target) : target_(target) { target_->installEventFilter(this); }
    ~PaintSpy() override { target_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
            ++events;
        }
        return false;
    }
    QRegion painted;
    int events = 0;

private:
    QWidget* target_;
};

using Drawing = WindowTest;

// The window is titled with the score before it is ever shown.
TEST_F(Drawing, TheTitleIsTheScoreFromTheStart) {
    open();
    EXPECT_EQ(titleBeforeShow, "Score:  0/ 0");
    EXPECT_EQ(window->windowHandle()->title(), titleBeforeShow);
}

TEST_F(Drawing, ATickRepaintsOnlyTheCellsThatChanged) {
    open({3, 3});
    key(Qt::Key_Down);
    ticks(1);
    QCoreApplication::processEvents();

    const int before = headCell(game());
    const int food = cellNumber(game(), 3, 3);
    PaintSpy spy(board());
    // The food far up the board expires on this tick.
    random->push(0.0f);
    ASSERT_TRUE(alarm->fire());
    QCoreApplication::processEvents();
    const int after = headCell(game());
    ASSERT_NE(before, after);
    ASSERT_FALSE(game().foodup);

    // The old head, the new head and the food's cell: those boxes and nothing between them.
    ASSERT_GT(spy.events, 0);
    const QRegion changed = QRegion(cellRect(before)) + cellRect(after) + cellRect(food);
    EXPECT_TRUE((changed - spy.painted).isEmpty());
    EXPECT_TRUE((spy.painted - changed).isEmpty()) << "repainted " << spy.painted.boundingRect().width() << "x"
                                                   << spy.painted.boundingRect().height();
    const QImage image = screen();
    EXPECT_EQ(pixel(image, centre(food)), background);
    EXPECT_EQ(pixel(image, centre(before)), body);
    EXPECT_EQ(pixel(image, centre(after)), head);
}

// However the screen was brought up to date, it shows the same as a full redraw.
TEST_F(Drawing, TheScreenFollowsTheGameTickByTick) {
    open({25, 20});
    key(Qt::Key_Up);
    for (int i = 0; i < 4; ++i) ticks(1);
    // The food straight ahead is eaten on the next tick; its blue block drops at (40, 40).
    random->push(keepFood);
    random->cell(40, 40, 50);
    ASSERT_TRUE(alarm->fire());
    ASSERT_EQ(game().score, 100 + 6 * 0.5);
    // The next tick places new food.
    random->cell(12, 12, 50);
    ticks(1);
    key(Qt::Key_Left);
    ticks(3);

    // The cells a meal changes beside the snake's reached the screen too.
    const QImage image = screen();
    EXPECT_EQ(image, rendered());
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 40, 40))), blueBlock);
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 12, 12))), food);
}

// Run once for each scale the test command sets: 1, 1.5 and 2. The smallest
// cells' repaint boxes, rounded to device pixels, leave no seam.
TEST_F(Drawing, TheLargestBoardRepaintedTickByTickIsItsFullRedraw) {
    open();
    key(Qt::Key_F12);
    lineUpBoard(*random, 102, {60, 40});
    click(gameover());
    key(Qt::Key_Up);
    ticks(3);
    key(Qt::Key_Right);
    ticks(2);
    SCOPED_TRACE("device pixel ratio " + std::to_string(board()->devicePixelRatioF()));
    ASSERT_EQ(game().boardsize, 102);
    EXPECT_EQ(screen(), rendered());
}

}  // namespace
}  // namespace wt
