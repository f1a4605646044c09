// New games and new boards: the window stays, the board is built anew.
#include "window_support.h"

namespace wt {
namespace {

class Reload : public WindowTest {
protected:
    // What a freshly loaded board must show, whatever came before.
    void expectFreshBoard(int side, QSize windowSize) {
        EXPECT_EQ(game().boardsize, side);
        EXPECT_EQ(game().cols, side);
        EXPECT_EQ(game().direction, "");
        EXPECT_FALSE(shown(pause()));
        EXPECT_FALSE(shown(gameover()));
        EXPECT_EQ(interval(), 0);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->size(), windowSize);
        EXPECT_EQ(window->windowTitle(), titleFor(game()));
        EXPECT_EQ(random->remaining(), 0u);

        const QImage image = screen();
        for (int corner : {1, side, side * (side - 1) + 1, side * side}) {
            const QRect box = cellRect(corner);
            EXPECT_EQ(pixel(image, box.center()), wallFill) << "corner " << corner;
            EXPECT_EQ(pixel(image, box.topLeft()), outline) << "corner " << corner;
            EXPECT_EQ(pixel(image, box.bottomRight()), outline) << "corner " << corner;
        }
        // The last ring cell reaches the board's far edge.
        EXPECT_EQ(cellRect(side * side).bottomRight(), board()->rect().bottomRight());
        EXPECT_EQ(countCells(image, obstacle), obstacleCount(side));
        EXPECT_EQ(countCells(image, food), 1);
        // The head waits at Int(side / 2) in both directions.
        EXPECT_EQ(headCell(game()), cellNumber(game(), side / 2, side / 2));
        EXPECT_EQ(pixel(image, centre(headCell(game()))), head);
    }
};

TEST_F(Reload, EverySizeBuildsItsBoardInTheSameWindow) {
    for (int inner : {10, 50, 75, 100}) {
        SCOPED_TRACE(inner);
        open();
        const QSize size = window->size();
        const Qt::Key sizeKey = inner == 10 ? Qt::Key_F7 : inner == 50 ? Qt::Key_F9 : inner == 75 ? Qt::Key_F11 : Qt::Key_F12;
        key(sizeKey);
        lineUpBoard(*random, inner + 2);
        click(gameover());
        expectFreshBoard(inner + 2, size);
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

TEST_F(Reload, EnoughFoodBuildsANewBoardAndKeepsTheScore) {
    open();
    const QSize size = window->size();
    key(Qt::Key_Right);
    ticks(3);
    // One more meal passes the mark of boardsize x 100 points.
    game().levelpoints = game().boardsize * 100;
    const int meal = cellNumber(game(), int(game().headx) + 1, int(game().heady));
    game().Block().setFill(meal, {255, 255, 255});
    game().Block().show(meal);
    QCoreApplication::processEvents();
    const double score = game().score;
    const long loads = game().loadCount();

    random->push(keepFood);              // expiry draw of the meal's tick
    random->cell(40, 10, 50);        // the blue block the meal drops
    lineUpBoard(*random, 50, {4, 40});   // the new board

    QRegion painted;
    struct Spy : QObject {
        QRegion* region;
        explicit Spy(QRegion* r) : region(r) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) *region += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } spy(&painted);
    board()->installEventFilter(&spy);
    ASSERT_TRUE(alarm->fire());
    QCoreApplication::processEvents();
    board()->removeEventFilter(&spy);

    EXPECT_EQ(game().loadCount(), loads + 1);
    expectFreshBoard(50, size);
    EXPECT_GE(game().score, score + 100);
    EXPECT_EQ(game().levelpoints, 100);
    // The new board is painted in full, not cell by cell.
    EXPECT_TRUE(painted.contains(board()->rect()));
    // No blue block from the old board is left over.
    EXPECT_EQ(countCells(screen(), blueBlock), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(interval(), int(game().speed));
}

}  // namespace
}  // namespace wt
