// What the board looks like on screen, and what a tick repaints.
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

TEST_F(Drawing, TheBoardShowsRingObstaclesFoodAndHead) {
    open({7, 30});
    const QImage image = screen();
    const int side = int(game().cols);
    EXPECT_EQ(board()->size(), QSize(7020 / 15, 7020 / 15));

    // Every ring cell is light yellow inside a red outline.
    int ringCells = 0;
    for (int n = 1; n <= side * side; ++n) {
        const int x = (n - 1) % side + 1;
        const int y = (n - 1) / side + 1;
        if (x != 1 && y != 1 && x != side && y != side) continue;
        ++ringCells;
        const QRect box = cellRect(n);
        ASSERT_EQ(pixel(image, box.center()), wallFill) << "cell " << n;
        ASSERT_EQ(pixel(image, box.topLeft()), outline) << "cell " << n;
        ASSERT_EQ(pixel(image, box.bottomRight()), outline) << "cell " << n;
    }
    EXPECT_EQ(ringCells, 4 * (side - 1));

    EXPECT_EQ(countCells(image, obstacle), obstacleCount(side));
    for (const Cell& c : obstacleCells(side))
        EXPECT_EQ(pixel(image, centre(cellNumber(game(), c.x, c.y))), obstacle) << c.x << "," << c.y;
    EXPECT_EQ(countCells(image, food), 1);
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 7, 30))), food);

    // The head is a circle: its middle is the head colour, its box's corner the background.
    const QRect box = cellRect(cellNumber(game(), side / 2, side / 2));
    EXPECT_EQ(pixel(image, box.center()), head) << describe(pixel(image, box.center()));
    EXPECT_EQ(pixel(image, box.topLeft()), background);
    EXPECT_EQ(pixel(image, box.bottomRight()), background);
    EXPECT_EQ(countCells(image, head), 1);
    // A free cell shows the background.
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 10, 10))), background);
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

    const QImage image = screen();
    EXPECT_EQ(image, rendered());
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 40, 40))), blueBlock);
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 12, 12))), food);
    EXPECT_EQ(pixel(image, centre(headCell(game()))), head);
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 25, 20))), body);
    EXPECT_EQ(countCells(image, head), 1);
    EXPECT_EQ(countCells(image, food), 1);
    // The snake: 10 ticks so far, every one of them with the tail held.
    EXPECT_EQ(countCells(image, body) + countCells(image, head), 10);
}

TEST_F(Drawing, ACrashCellIsDrawnRed) {
    open({3, 3}, {{20, 25}});
    key(Qt::Key_Left);
    for (int i = 0; i < 5; ++i) ticks(1);
    ASSERT_TRUE(shown(gameover()));
    const int crashed = cellNumber(game(), 20, 25);
    ASSERT_EQ(headCell(game()), crashed);
    const QImage image = screen();
    EXPECT_EQ(image, rendered());
    const QRect box = cellRect(crashed);
    EXPECT_EQ(pixel(image, box.center()), crash);
    EXPECT_EQ(pixel(image, box.topLeft()), outline);
    // The cell behind it is body, no longer the head.
    EXPECT_EQ(pixel(image, centre(cellNumber(game(), 21, 25))), body);
    EXPECT_EQ(countCells(image, obstacle), obstacleCount(50) - 1);
}

// Cell edges along a line across the wall ring, in device pixels: where each
// cell's outline starts, then where the ring ends. Empty if anything but
// outline and fill lies between.
std::vector<int> ringEdges(const QImage& image, QPoint p, QPoint step, int outlineWidth) {
    std::vector<int> edges;
    const auto at = [&] { return p.x() * step.x() + p.y() * step.y(); };
    for (QColor before = outline; image.rect().contains(p) && pixel(image, p) != background; p += step) {
        const QColor c = pixel(image, p);
        if (c != wallFill && c != outline) return {};
        if (c == wallFill && before == outline) edges.push_back(at() - outlineWidth);
        before = c;
    }
    edges.push_back(at());
    return edges;
}

// Run once for each scale the test command sets: 1, 1.5 and 2.
TEST_F(Drawing, EveryCellOfTheLargestBoardIsWithinADevicePixelOfTheOthers) {
    open();
    key(Qt::Key_F12);
    lineUpBoard(*random, 102, {60, 40});
    click(gameover());
    key(Qt::Key_Up);
    ticks(3);
    key(Qt::Key_Right);
    ticks(2);
    const QImage image = screen();
    const qreal ratio = board()->devicePixelRatioF();
    SCOPED_TRACE("device pixel ratio " + std::to_string(ratio));
    // The repaints after each tick left the same picture as a full redraw.
    EXPECT_EQ(image, rendered());

    // The outline's width, read down the first cell's diagonal.
    int o = 0;
    while (pixel(image, {o, o}) == outline) ++o;
    ASSERT_GE(o, 1);
    const std::vector<int> xs = ringEdges(image, {0, o}, {1, 0}, o);
    const std::vector<int> ys = ringEdges(image, {o, 0}, {0, 1}, o);
    ASSERT_EQ(xs.size(), 103u);
    ASSERT_EQ(ys.size(), 103u);
    EXPECT_EQ(xs.front(), 0);
    EXPECT_EQ(xs.back(), image.width());
    std::vector<int> sizes;
    for (const auto* edges : {&xs, &ys})
        for (std::size_t i = 1; i < edges->size(); ++i) sizes.push_back((*edges)[i] - (*edges)[i - 1]);
    const auto [smallest, largest] = std::minmax_element(sizes.begin(), sizes.end());
    EXPECT_LE(*largest - *smallest, 1) << *smallest << " to " << *largest << " device pixels";

    // The head is a circle: as wide as it is high, in the middle of its cell.
    const auto hx = std::size_t(game().headx) - 1;
    const auto hy = std::size_t(game().heady) - 1;
    const QRect cell(QPoint(xs[hx], ys[hy]), QPoint(xs[hx + 1] - 1, ys[hy + 1] - 1));
    QRect disc;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (pixel(image, {x, y}) != background) disc |= QRect(x, y, 1, 1);
    EXPECT_EQ(disc.width(), std::min(cell.width(), cell.height()));
    EXPECT_EQ(disc.width(), disc.height());
    EXPECT_LE(std::abs((disc.left() - cell.left()) - (cell.right() - disc.right())), 1);
    EXPECT_LE(std::abs((disc.top() - cell.top()) - (cell.bottom() - disc.bottom())), 1);
}

}  // namespace
}  // namespace wt
