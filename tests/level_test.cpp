// Level advance: enough food builds a new board and carries the score over.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "test_game.h"
#include "window/keys.h"

using namespace zv;

namespace {

// Blue blocks out of the way: along the top inner rows, one after another.
Cell blueSpot(int i, int side) { return {2 + i % (side - 2), 2 + i / (side - 2)}; }

// Eats `meals` foods in a row, one a tick, sweeping the board from the start
// cell. Each new food is placed by the game itself on the cell the head is
// entering; food already up must stand there. Before the last meal,
// `beforeLast` can line up more draws.
void eatInARow(TestGame& g, int meals, const std::function<void()>& beforeLast = {}) {
    const int firstRow = int(g.z.rows) / 2;  // the start row
    for (int meal = 1; meal <= meals; ++meal) {
        const std::string heading = sweep(g.z, firstRow);
        if (!g.z.foodup)
            g.scriptCell(g.ahead(heading));
        else
            ASSERT_EQ(g.z.scratch, g.cell(g.ahead(heading))) << "food is not in the way at meal " << meal;
        g.rng->push(TestGame::keep);
        g.scriptCell(blueSpot(countRole(g.z, 'b'), g.side()));
        if (meal == meals && beforeLast) beforeLast();
        const long board = g.z.loadCount();
        g.z.direction = heading;
        g.z.Timer1_Timer();
        if (meal < meals) {
            ASSERT_EQ(g.z.loadCount(), board) << "new board after meal " << meal;
            ASSERT_FALSE(g.z.gameover().shown) << "crash at meal " << meal;
        }
    }
}

}  // namespace

TEST(Level, FiftyFirstFoodOnDefaultBoardStartsNewBoardKeepingTheScore) {
    TestGame g;
    g.load({26, 25});
    eatInARow(g, 50);
    EXPECT_EQ(g.z.loadCount(), 1);
    EXPECT_EQ(g.z.levelpoints, 5000);
    EXPECT_EQ(countRole(g.z, 'b'), 50);

    const double score = g.z.score;
    eatInARow(g, 1, [&] { g.scriptBoard(); });
    EXPECT_EQ(g.z.loadCount(), 2);
    EXPECT_EQ(g.z.levelpoints, 100);
    // 51 foods, and 52 finished ticks: the load's, 50 meals, and the new board's own.
    EXPECT_EQ(g.z.score, 51 * 100 + 52 * 0.5);
    EXPECT_EQ(g.z.score, score + 100 + 0.5);
    EXPECT_EQ(g.z.best, Int(g.z.score));
    EXPECT_EQ(g.z.Caption(), titleFor(g.z.score, g.z.best));
    // A fresh board of the same side that waits for a key.
    EXPECT_EQ(g.z.rows, 50);
    EXPECT_EQ(countRole(g.z, 'b'), 0);
    EXPECT_EQ(countRole(g.z, 'o'), 50);
    EXPECT_EQ(snakeLength(g.z), 1);
    EXPECT_EQ(g.z.direction, "");
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_FALSE(g.z.gameover().shown);
    EXPECT_EQ(g.rng->remaining(), 0u);
}

// Played after a new game from Game Over: the click's fresh start must not
// reach the level advance, which keeps the score.
TEST(Level, TwelveBoardAdvancesOnTheThirteenthFoodNotTheTwelfth) {
    TestGame g;
    g.load();
    g.z.mnuSz_Click(10);
    g.scriptBoard({7, 6});
    g.z.gameover_Click();
    ASSERT_EQ(g.side(), 12);
    eatInARow(g, 12);
    EXPECT_EQ(g.z.loadCount(), 2);
    EXPECT_EQ(g.z.levelpoints, 1200);
    const double score = g.z.score;
    eatInARow(g, 1, [&] { g.scriptBoard(); });
    EXPECT_EQ(g.z.loadCount(), 3);
    EXPECT_EQ(g.z.levelpoints, 100);
    EXPECT_EQ(g.z.score, score + 100 + 0.5);
}

TEST(Level, InterruptedTickEndsOnceTheNewBoardStands) {
    TestGame g(12);
    g.load();
    g.z.levelpoints = 1200;  // twelve foods eaten already
    g.step("right");
    const double score = g.z.score;
    g.paint({8, 6}, paints::food);
    g.rng->push(TestGame::keep);
    g.scriptCell({2, 3});  // the blue block, dropped on the old board
    g.scriptBoard();       // the new board
    g.z.direction = "right";
    g.z.Timer1_Timer();
    ASSERT_EQ(g.z.loadCount(), 2);
    // The new board's own tick adds its half point; the meal's tick adds none.
    EXPECT_EQ(g.z.score, score + 100 + 0.5);
    EXPECT_EQ(g.z.headpos, 1);
    EXPECT_EQ(g.z.trail[1], g.cell({6, 6}));
    EXPECT_EQ(g.z.growtick, 1);
    EXPECT_EQ(g.z.tailpos, 0);
    // The start cell shows the head, not a body cell.
    const Shape& start = g.z.Block()[g.cell({6, 6})];
    EXPECT_TRUE(start.visible);
    EXPECT_EQ(start.kind, ShapeKind::Circle);
    EXPECT_EQ(start.fill, paints::head);
    EXPECT_EQ(countRole(g.z, 's'), 0);
    EXPECT_FALSE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(g.rng->remaining(), 0u);
}

TEST(Level, SizeChoiceTakesEffectAtTheNextLevelAdvance) {
    TestGame g(12);
    g.load();
    g.z.mnuSz_Click(25);
    EXPECT_EQ(g.z.rows, 12);  // the board on screen stays
    g.z.Form_KeyDown(keys::Right, 0);  // and play resumes on it
    // The threshold follows the chosen side at once: 2700 points are not above 27 * 100...
    g.z.levelpoints = 2600;
    g.eatAhead("right", {2, 3});
    ASSERT_EQ(g.z.loadCount(), 1);
    ASSERT_EQ(g.z.levelpoints, 2700);
    // ...and the next food brings a board of side 27.
    const double score = g.z.score;
    g.scriptCell(g.ahead("right"));
    g.rng->push(TestGame::keep);
    g.scriptCell({3, 3});
    g.scriptBoard();
    g.z.Timer1_Timer();
    EXPECT_EQ(g.z.loadCount(), 2);
    EXPECT_EQ(g.z.rows, 27);
    EXPECT_EQ(countRole(g.z, 'o'), 14);
    EXPECT_EQ(g.z.score, score + 100 + 0.5);
    EXPECT_EQ(g.z.levelpoints, 100);
    EXPECT_FALSE(g.z.gameover().shown);  // the new controls start hidden
    EXPECT_EQ(g.rng->remaining(), 0u);
}
