// What the head runs into: walls, obstacles, its own body, near-food, and
// the world beyond the wall ring once play is resumed after a crash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "test_game.h"
#include "window/description.h"
#include "window/keys.h"

using namespace zv;
using Picture = std::vector<std::string>;

namespace {

// A 12 board with its obstacles and food tucked away, the snake driven up
// into the top wall: it crashes on the sixth tick.
void crashIntoTopWall(TestGame& g) {
    g.load();
    for (int i = 0; i < 5; ++i) g.step("up");
}

}  // namespace

TEST(Collision, CrashCellTurnsRedKeepsItsKindAndIsRecordedAsHead) {
    TestGame g(12);
    crashIntoTopWall(g);
    EXPECT_EQ(boardPicture(g.z), (Picture{
                                     "#####X######",
                                     "#*...s.....#",
                                     "#....s.....#",
                                     "#....s.....#",
                                     "#....s.....#",
                                     "#....s.....#",
                                     "#..........#",
                                     "#..........#",
                                     "#..........#",
                                     "#..........#",
                                     "#oo........#",
                                     "############",
                                 }));
    EXPECT_EQ(g.z.Block()[g.cell({6, 1})].kind, ShapeKind::Rectangle);
    EXPECT_EQ(g.z.trail[std::size_t(g.z.headpos)], g.cell({6, 1}));
    EXPECT_TRUE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(g.z.score, 6 * 0.5);  // the crash tick still scores
}

// Each wall ring side stops the head on its own cell, which turns red, and
// not one tick sooner.
TEST(Collision, EachWallStopsTheHeadOnTheWallCell) {
    const struct {
        const char* heading;
        Cell wall;
    } walls[] = {{"up", {6, 1}}, {"down", {6, 12}}, {"left", {1, 6}}, {"right", {12, 6}}};
    for (const auto& [heading, wall] : walls) {
        SCOPED_TRACE(heading);
        TestGame g(12);
        g.load();
        const Cell start = g.head();
        const int steps = std::abs(wall.x - start.x) + std::abs(wall.y - start.y);
        for (int i = 1; i < steps; ++i) g.step(heading);
        ASSERT_FALSE(g.z.gameover().shown);
        g.step(heading);
        EXPECT_EQ(g.head(), wall);
        EXPECT_EQ(g.role(wall), 'X');
        EXPECT_EQ(countRole(g.z, 'X'), 1);
        EXPECT_TRUE(g.z.gameover().shown);
        EXPECT_EQ(g.z.Timer1().interval, 0);
    }
}

TEST(Collision, NearWhiteCellIsNotFood) {
    TestGame g;
    g.load();
    g.paint({26, 25}, Rgb{255, 255, 254});
    const double score = g.z.score;
    g.step("right");
    EXPECT_EQ(g.role({26, 25}), 'X');
    EXPECT_TRUE(g.z.gameover().shown);
    EXPECT_EQ(g.z.score, score + 0.5);
    EXPECT_EQ(g.z.levelpoints, 0);
    EXPECT_TRUE(g.z.foodup);
}

TEST(Collision, HeadEnteringTheTailEndCellCollidesEvenAsTheTailLeavesIt) {
    TestGame g;
    g.load();
    // A 4 x 3 loop: the tenth move, on tick 11, enters the start cell just as
    // the first tail step hides it.
    for (const char* heading : {"right", "right", "right", "down", "down", "left", "left", "left", "up", "up"})
        g.step(heading);
    EXPECT_EQ(g.head(), (Cell{25, 25}));
    EXPECT_TRUE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(g.role({25, 25}), 'H');  // hidden by the tail, then painted as the head
    EXPECT_EQ(snakeLength(g.z), 10);
}

TEST(Collision, TickWithNoHeadingAfterLoadEndsTheGameOnTheHeadCell) {
    TestGame g;
    g.load();
    g.z.Form_KeyDown(keys::P, 0);
    g.z.pause_Click();  // the clock starts with no heading
    ASSERT_EQ(g.z.Timer1().interval, 75);
    g.step("");
    EXPECT_TRUE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(g.head(), (Cell{25, 25}));
    // The head's own cell is the crash cell: red, and still the circle it was.
    const Shape& s = g.z.Block()[g.cell({25, 25})];
    EXPECT_TRUE(s.visible);
    EXPECT_EQ(s.fill, paints::crash);
    EXPECT_EQ(s.kind, ShapeKind::Circle);
}

TEST(Collision, HeadingBackOntoTheCellJustLeftCollides) {
    TestGame g;
    g.load();
    g.z.Form_KeyDown(keys::Up, 0);
    g.step("up");
    g.z.Form_KeyDown(keys::Left, 0);
    g.z.Form_KeyDown(keys::Down, 0);  // accepted: the heading is "left" by now
    g.step(g.z.direction);
    EXPECT_EQ(g.head(), (Cell{25, 25}));
    EXPECT_EQ(g.role({25, 25}), 'X');
    EXPECT_TRUE(g.z.gameover().shown);
}

TEST(Collision, ResumedPlayGoesOnFromTheCrashCell) {
    TestGame g;
    g.load();
    g.paint({27, 25}, paints::obstacle);
    g.step("right");
    g.step("right");
    ASSERT_TRUE(g.z.gameover().shown);
    g.z.Form_KeyDown(keys::Down, 0);
    EXPECT_EQ(g.z.Timer1().interval, 75);
    g.step(g.z.direction);
    EXPECT_EQ(g.head(), (Cell{27, 26}));
    EXPECT_EQ(g.role({27, 26}), 'H');
    EXPECT_EQ(g.role({27, 25}), 's');  // the crash cell was the previous head
    EXPECT_TRUE(g.z.gameover().shown);  // nothing hides it but a new game
    EXPECT_EQ(g.z.Timer1().interval, 75);
}

TEST(Collision, HeadSentOutThroughTheTopWallStaysAndHalts) {
    TestGame g(12);
    crashIntoTopWall(g);
    g.z.Form_KeyDown(keys::Up, 0);  // resume, still heading out of the board
    ASSERT_EQ(g.z.Timer1().interval, 75);
    g.z.Block().clearChanges();
    const Picture before = boardPicture(g.z);
    const Shape templ = g.z.Block()[0];
    const double score = g.z.score;
    const double headpos = g.z.headpos;
    const long draws = g.rng->draws();

    g.z.Timer1_Timer();  // no draw scripted: none may be made
    EXPECT_EQ(g.head(), (Cell{6, 1}));
    EXPECT_TRUE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(g.z.score, score);
    EXPECT_EQ(g.z.headpos, headpos);
    EXPECT_EQ(g.rng->draws(), draws);
    EXPECT_TRUE(g.z.Block().changes().empty());
    EXPECT_EQ(boardPicture(g.z), before);
    EXPECT_FALSE(g.z.Block()[0].visible);
    EXPECT_EQ(g.z.Block()[0].fill, templ.fill);
    EXPECT_EQ(g.z.Block()[0].kind, templ.kind);
}

TEST(Collision, HeadSentOutThroughTheLeftWallLeavesTheRightWallAlone) {
    TestGame g(12);
    g.load();
    for (int i = 0; i < 5; ++i) g.step("left");
    ASSERT_EQ(g.role({1, 6}), 'X');
    g.z.Form_KeyDown(keys::Left, 0);
    g.z.Timer1_Timer();
    // Column 0 of row 6 would number the last cell of row 5, in the right wall.
    EXPECT_EQ(g.role({12, 5}), '#');
    EXPECT_EQ(g.head(), (Cell{1, 6}));
    EXPECT_TRUE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(countRole(g.z, 'X'), 1);
}
