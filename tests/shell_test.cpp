// The layer every front end shares: the board's geometry at any screen scale,
// what the screen must do after each handler, and where the keys go.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

#include "headless_screen.h"
#include "midend/disc.h"
#include "test_game.h"
#include "window/description.h"
#include "window/keys.h"

using namespace zv;

namespace {

// A board of this side on a screen of this scale, its draws lined up.
std::unique_ptr<HeadlessScreen> boardOf(int side, double ratio) {
    auto random = std::make_unique<ScriptedRandom>();
    board_script::lineUpBoard(*random, side, {2, 2});
    return std::make_unique<HeadlessScreen>(std::move(random), ratio, side);
}

}  // namespace

TEST(Geometry, EveryBoardTilesTheInnerAreaEvenlyAndKeepsTheCellsFilledAtEveryScale) {
    for (const auto& item : description::sizeItems) {
        const int side = item.index + 2;
        for (const double ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
            SCOPED_TRACE(std::to_string(side) + " cells a side at scale " + std::to_string(ratio));
            const auto screen = boardOf(side, ratio);
            const BoardGeometry& g = screen->geometry();
            ASSERT_EQ(g.columns(), side);
            ASSERT_EQ(g.rows(), side);

            std::vector<int> sizes;
            for (int i = 0; i < side; ++i) {
                const Box b = g.box(i, i);
                sizes.push_back(b.width);
                sizes.push_back(b.height);
                if (i + 1 < side) {
                    EXPECT_EQ(g.box(i + 1, i).x, b.right()) << "column " << i;
                    EXPECT_EQ(g.box(i, i + 1).y, b.bottom()) << "row " << i;
                }
            }
            // From the inner area's corner to its far edges, with no gap.
            EXPECT_EQ(g.box(0, 0).x, 0);
            EXPECT_EQ(g.box(side - 1, side - 1).right(), screen->width());
            EXPECT_EQ(g.box(side - 1, side - 1).bottom(), screen->height());
            const auto [smallest, largest] = std::minmax_element(sizes.begin(), sizes.end());
            EXPECT_LE(*largest - *smallest, 1);
            // An outline of one logical pixel at most, that leaves at least half of each cell to its fill.
            EXPECT_GE(g.outlineWidth(), 1);
            EXPECT_LE(g.outlineWidth(), std::max(1L, std::lround(ratio)));
            EXPECT_GE(*smallest - 2 * g.outlineWidth(), *smallest / 2);
        }
    }
}

// Pause has its one place on every board (in twips, 15 to a pixel); Game
// Over, of the same size, sits in the board's middle.
TEST(Geometry, TheButtonsStandInTheSamePlacesOnEveryBoard) {
    for (const auto& item : description::sizeItems) {
        SCOPED_TRACE(item.index + 2);
        const auto screen = boardOf(item.index + 2, 1);
        EXPECT_EQ(screen->pause.place, (Box{3600 / 15, 3240 / 15, 1095 / 15, 735 / 15}));
        const Box over = screen->gameover.place;
        EXPECT_EQ(std::pair(over.width, over.height), std::pair(screen->pause.place.width, screen->pause.place.height));
        EXPECT_LE(std::abs(2 * over.x + over.width - screen->width()) + std::abs(2 * over.y + over.height - screen->height()), 2);
    }
}

TEST(Geometry, ARepaintCoversItsCellAndReachesNoFartherThanItsNeighbours) {
    const auto screen = boardOf(102, 1.5);
    const BoardGeometry& g = screen->geometry();
    for (const int n : {1, 2, 103, 5202, 10404}) {
        const int column = (n - 1) % 102;
        const int row = (n - 1) / 102;
        const Box cell = g.cellBox(n);
        const Box repaint = g.toDevice(g.repaintBox(n));
        EXPECT_TRUE(repaint.x <= cell.x && repaint.y <= cell.y && repaint.right() >= cell.right() &&
                    repaint.bottom() >= cell.bottom())
            << "cell " << n;
        const auto columns = g.columnsIn(repaint);
        const auto rows = g.rowsIn(repaint);
        EXPECT_TRUE(columns.first >= column - 1 && columns.last <= column + 1 && rows.first >= row - 1 && rows.last <= row + 1)
            << "cell " << n;
        EXPECT_EQ(g.columnsIn(cell).first, column);
        EXPECT_EQ(g.columnsIn(cell).last, column);
    }
}

TEST(Geometry, AScreensRatioIsHeldToItsRangeAndOneThatIsNoRatioChangesNothing) {
    BoardGeometry g;
    const Box window{0, 0, 468, 468};
    ASSERT_TRUE(g.setRatio(2));
    for (const double broken : {0.0, -2.0, std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        EXPECT_FALSE(g.setRatio(broken)) << broken;
        EXPECT_EQ(g.ratio(), 2) << broken;
    }
    for (const double ratio : {60.0, 80.0, 1e9}) {
        g.setRatio(ratio);
        EXPECT_EQ(g.ratio(), BoardGeometry::largestRatio) << ratio;
        EXPECT_EQ(g.toDevice(window).width, 468 * BoardGeometry::largestRatio) << ratio;
    }
    EXPECT_FALSE(g.setRatio(80)) << "the same ratio as 60 once held: nothing to paint again";
    EXPECT_TRUE(g.setRatio(0.01));
    EXPECT_EQ(g.ratio(), BoardGeometry::smallestRatio);
    EXPECT_GT(g.toDevice(window).width, 0);
}

// A picture of a size that cannot be had, here one that a 32-bit size_t
// would wrap round to a few bytes.
TEST(PixelCanvas, APictureThatCannotBeHadLeavesTheOldOneAsItWas) {
    PixelCanvas canvas;
    ASSERT_TRUE(canvas.resize(3, 2));
    canvas.fillRect({1, 0, 2, 2}, paints::head);
    canvas.takeDirty();
    EXPECT_FALSE(canvas.resize(std::numeric_limits<int>::max(), std::numeric_limits<int>::max()));
    EXPECT_EQ(canvas.width(), 3);
    EXPECT_EQ(canvas.height(), 2);
    EXPECT_TRUE(canvas.takeDirty().empty());
    const std::uint8_t* p = canvas.pixels() + (1 * 3 + 2) * 4;
    EXPECT_EQ((Rgb{p[0], p[1], p[2]}), paints::head);
}

// Boxes reaching past the picture's edges, as a repaint's box at the border
// or an exposed part of a window bigger than the picture can.
TEST(PixelCanvas, ABoxIsClippedToThePictureAndOneOutsideIsEmpty) {
    PixelCanvas canvas;
    ASSERT_TRUE(canvas.resize(10, 6));
    EXPECT_EQ(canvas.clip({-2, -1, 5, 4}), (Box{0, 0, 3, 3}));
    EXPECT_EQ(canvas.clip({8, 4, 5, 5}), (Box{8, 4, 2, 2}));
    EXPECT_EQ(canvas.clip({2, 1, 3, 3}), (Box{2, 1, 3, 3})) << "inside: as it is";
    EXPECT_TRUE(canvas.clip({10, 0, 4, 4}).empty()) << "just right of the picture";
    EXPECT_TRUE(canvas.clip({-5, 2, 5, 2}).empty()) << "just left of it";
    canvas.fillRect({8, 4, 5, 5}, paints::head);  // paints the clipped corner only
    const std::uint8_t* p = canvas.pixels() + (5 * 10 + 9) * 4;
    EXPECT_EQ((Rgb{p[0], p[1], p[2]}), paints::head);
}

// Blue first, as a Windows bitmap holds a pixel: each colour in its own
// byte, for a box and for a disc alike.
TEST(PixelCanvas, BlueFirstPutsEachColourInItsByte) {
    PixelCanvas canvas(PixelCanvas::Order::BlueFirst);
    ASSERT_TRUE(canvas.resize(20, 20));
    const Rgb colour{10, 20, 30};
    canvas.fillRect({0, 0, 2, 1}, colour);
    canvas.fillDisc({4, 4, 12, 12}, colour, colour, 1);
    for (const std::uint8_t* p : {canvas.row(0) + 4, canvas.row(10) + 10 * 4})
        EXPECT_EQ((Rgb{p[2], p[1], p[0]}), colour);
}

TEST(Painting, TheWallIsOutlinedTheHeadIsADiscAndHiddenCellsShowTheBackground) {
    const auto screen = boardOf(12, 2);
    const BoardGeometry& g = screen->geometry();
    const zorvane& z = screen->game();
    const Box wall = g.cellBox(1);
    const int o = g.outlineWidth();
    EXPECT_EQ(screen->at(wall.x + o - 1, wall.y + wall.height / 2), description::templateOutline);
    EXPECT_EQ(screen->at(wall.x + o, wall.y + o), description::templateFill);
    EXPECT_EQ(screen->at(wall.right() - o, wall.bottom() - o), description::templateOutline);

    const Box head = g.cellBox(z.cellAt(z.headx, z.heady));
    EXPECT_EQ(screen->at(head.x + head.width / 2, head.y + head.height / 2), paints::head);
    EXPECT_EQ(screen->at(head.x, head.y), description::background) << "a disc leaves the corners";
    EXPECT_EQ(screen->at(head.x + head.width / 2, head.y), description::templateOutline);

    const Box hidden = g.cellBox(z.cellAt(z.headx + 1, z.heady));
    EXPECT_EQ(screen->at(hidden.x + hidden.width / 2, hidden.y + hidden.height / 2), description::background);
}

TEST(Shell, EachUpdateSaysJustWhatChanged) {
    auto* random = new ScriptedRandom;
    board_script::lineUpBoard(*random, 12, {2, 2});
    Shell shell{std::unique_ptr<RandomSource>(random)};
    zorvane& z = shell.game();
    z.boardsize = 12;
    const ScreenUpdate first = shell.start();
    EXPECT_TRUE(first.rebuild);
    EXPECT_EQ(first.title, z.Caption()) << "the title stands before the window is shown";

    // A key changes no cell and no title, but starts the clock.
    auto update = shell.run([](zorvane& g) { g.Form_KeyDown(keys::Up, 0); });
    ASSERT_TRUE(update);
    EXPECT_FALSE(update->rebuild);
    EXPECT_TRUE(update->cells.empty());
    EXPECT_FALSE(update->title);
    EXPECT_EQ(update->interval, int(z.speed));

    // A tick repaints the new head and the old one; the title follows the whole score only.
    for (const bool titleChanges : {true, false}) {
        const Integer oldHead = z.cellAt(z.headx, z.heady);
        random->push(TestGame::keep);
        update = shell.run([](zorvane& g) { g.Timer1_Timer(); });
        ASSERT_TRUE(update);
        std::vector<std::int16_t> cells(update->cells.begin(), update->cells.end());
        EXPECT_NE(std::find(cells.begin(), cells.end(), z.cellAt(z.headx, z.heady)), cells.end());
        EXPECT_NE(std::find(cells.begin(), cells.end(), oldHead), cells.end());
        EXPECT_EQ(update->title.has_value(), titleChanges);
    }

    // After Quit nothing runs any more.
    update = shell.run([](zorvane& g) { g.mnuQuit_Click(); });
    ASSERT_TRUE(update);
    EXPECT_TRUE(update->ended);
    bool ran = false;
    EXPECT_FALSE(shell.run([&](zorvane&) { ran = true; }));
    EXPECT_FALSE(ran);
}

TEST(Shell, AHiddenButtonHandsTheKeysOnAndNothingElseMovesThem) {
    struct Case {
        Focus had;
        bool pauseShown;
        bool gameoverShown;
        std::optional<Focus> next;
    };
    const Case cases[] = {
        {Focus::Pause, false, true, Focus::GameOver},  // Game Over comes first in the tab order
        {Focus::Pause, false, false, Focus::Board},
        {Focus::GameOver, true, false, Focus::Board},  // a new board hides both
        {Focus::Nothing, false, false, Focus::Board},
        {Focus::Pause, true, true, std::nullopt},
        {Focus::GameOver, false, true, std::nullopt},
        {Focus::Board, false, false, std::nullopt},
        {Focus::Elsewhere, false, false, std::nullopt},  // a menu bar holding the keys keeps them
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shell::focusAfter(c.had, c.pauseShown, c.gameoverShown), c.next)
            << int(c.had) << " with Pause " << c.pauseShown << ", Game Over " << c.gameoverShown;
}

// The round cell every front end draws: whole fill at the centre, the ring
// along the edge, smooth where the edge cuts a pixel, nothing in the
// corners, the same in all four quarters.
TEST(Painting, ADiscIsTheSameSmoothPictureTurnedAnyWay) {
    for (const auto& [side, pen] : {std::pair{7, 1.0}, {12, 2.0}, {19, 1.0}}) {
        SCOPED_TRACE(std::to_string(side) + " pixels, pen " + std::to_string(pen));
        const DiscPixels disc(side, pen);
        const int mid = side / 2;
        EXPECT_EQ(disc.at(mid, mid).fill, DiscPixels::samples);
        EXPECT_FALSE(disc.at(0, 0).touched());
        EXPECT_EQ(disc.at(mid, 0).fill, 0) << "the top edge is ring";
        bool smooth = false;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const auto s = disc.at(x, y);
                const auto turned = disc.at(side - 1 - y, x);
                EXPECT_EQ(s.ring, turned.ring) << x << "," << y;
                EXPECT_EQ(s.fill, turned.fill) << x << "," << y;
                smooth = smooth || (s.touched() && s.ring + s.fill < DiscPixels::samples);
            }
        EXPECT_TRUE(smooth) << "some pixel is partly covered";
    }
    // Half ring, half background: the colour halfway between.
    EXPECT_EQ(DiscPixels::mix({0, 0, 0}, {200, 100, 50}, {9, 9, 9}, {8, 0}), (Rgb{100, 50, 25}));
}
