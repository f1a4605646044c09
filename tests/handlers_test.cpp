// Keys, buttons and menus: starting, steering, pausing, new games and board sizes.
#include <gtest/gtest.h>

#include <string>

#include "test_game.h"
#include "window/keys.h"

using namespace zv;

namespace {
constexpr Integer keyA = 65;
constexpr Integer shiftDown = 1;
}  // namespace

TEST(Keys, EveryArrowIsAcceptedAsTheFirstHeadingAndStartsTheClock) {
    const struct {
        Integer key;
        const char* heading;
    } arrows[] = {{keys::Up, "up"}, {keys::Down, "down"}, {keys::Left, "left"}, {keys::Right, "right"}};
    for (const auto& a : arrows) {
        SCOPED_TRACE(a.heading);
        TestGame g;
        g.load();
        g.z.Form_KeyDown(a.key, 0);
        EXPECT_EQ(g.z.direction, a.heading);
        EXPECT_EQ(g.z.Timer1().interval, 75);
    }
}

TEST(Keys, OtherKeysDoNothingWhileWaitingExceptPShowingPause) {
    TestGame g;
    g.load();
    g.z.Form_KeyDown(keyA, 0);
    EXPECT_EQ(g.z.direction, "");
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_FALSE(g.z.pause().shown);
    g.z.Form_KeyDown(keys::P, 0);
    EXPECT_TRUE(g.z.pause().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(g.z.direction, "");
}

TEST(Keys, OppositeArrowIsRefusedButStillRestartsTheClock) {
    const struct {
        Integer key;
        Integer reverse;
        const char* heading;
    } headings[] = {{keys::Up, keys::Down, "up"},
                    {keys::Down, keys::Up, "down"},
                    {keys::Left, keys::Right, "left"},
                    {keys::Right, keys::Left, "right"}};
    for (const auto& h : headings) {
        SCOPED_TRACE(h.heading);
        TestGame g;
        g.load();
        g.z.Form_KeyDown(h.key, 0);
        g.z.mnuSpd_Click(250);  // stops the clock
        ASSERT_EQ(g.z.Timer1().interval, 0);
        g.z.Form_KeyDown(h.reverse, 0);
        EXPECT_EQ(g.z.direction, h.heading);
        EXPECT_EQ(g.z.Timer1().interval, 250);
    }
}

TEST(Keys, LeftThenDownWhileHeadingUpTurnsTheSnakeDown) {
    TestGame g;
    g.load();
    g.z.Form_KeyDown(keys::Up, 0);
    g.z.Form_KeyDown(keys::Left, 0);
    g.z.Form_KeyDown(keys::Down, 0);
    EXPECT_EQ(g.z.direction, "down");
}

TEST(Keys, PPausesAndAnyKeyResumesWithPauseStillShown) {
    TestGame g;
    g.load();
    g.z.Form_KeyDown(keys::Right, 0);
    g.z.Form_KeyDown(keys::P, 0);
    EXPECT_TRUE(g.z.pause().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    g.z.Form_KeyDown(keys::P, 0);  // P again: still paused
    EXPECT_EQ(g.z.Timer1().interval, 0);
    g.z.Form_KeyDown(keyA, 0);
    EXPECT_EQ(g.z.Timer1().interval, 75);
    EXPECT_TRUE(g.z.pause().shown);
    EXPECT_EQ(g.z.direction, "right");
    g.z.pause_Click();
    EXPECT_FALSE(g.z.pause().shown);
    EXPECT_EQ(g.z.Timer1().interval, 75);
}

TEST(Keys, ShiftStateIsIgnored) {
    TestGame g;
    g.load();
    g.z.Form_KeyDown(keys::Left, shiftDown);
    EXPECT_EQ(g.z.direction, "left");
    EXPECT_EQ(g.z.Timer1().interval, 75);
    g.z.Form_KeyDown(keys::P, shiftDown);
    EXPECT_TRUE(g.z.pause().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
}

TEST(Menus, SizeChoiceThenGameOverBuildsTheChosenBoard) {
    TestGame g;
    g.load();
    g.z.mnuSz_Click(25);
    g.scriptBoard();
    g.z.gameover_Click();
    EXPECT_EQ(g.z.rows, 27);
    EXPECT_EQ(g.z.cols, 27);
    EXPECT_EQ(countRole(g.z, 'o'), 14);
    EXPECT_EQ(countRole(g.z, '#'), 4 * 26);
    EXPECT_EQ(g.head(), (Cell{13, 13}));
    EXPECT_EQ(g.z.score, 0.5);
    EXPECT_FALSE(g.z.gameover().shown);
}

TEST(NewGame, GameOverClickResetsScoreAndFoodPointsButKeepsBestSpeedAndSize) {
    TestGame g(12);
    g.load();
    g.z.mnuSpd_Click(40);
    g.z.Form_KeyDown(keys::Up, 0);
    g.eatAhead("up", {2, 3});
    g.scriptCell({3, 3});
    for (int i = 0; i < 4; ++i) g.step("up");  // into the top wall
    ASSERT_TRUE(g.z.gameover().shown);
    g.z.Form_KeyDown(keys::P, 0);
    ASSERT_TRUE(g.z.pause().shown);
    const double best = g.z.best;
    ASSERT_GT(best, 100);

    g.scriptBoard();
    g.z.gameover_Click();
    EXPECT_EQ(g.z.loadCount(), 2);
    EXPECT_EQ(g.z.score, 0.5);
    EXPECT_EQ(g.z.levelpoints, 0);
    EXPECT_EQ(g.z.best, best);
    EXPECT_EQ(g.z.speed, 40);
    EXPECT_EQ(g.z.boardsize, 12);
    EXPECT_FALSE(g.z.pause().shown);
    EXPECT_FALSE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_EQ(g.z.direction, "");
    EXPECT_EQ(countRole(g.z, 'b'), 0);
    EXPECT_EQ(countRole(g.z, '#'), 4 * 11);  // the ring in the template's look again
    EXPECT_EQ(g.z.Caption(), titleFor(0, best));
}

TEST(NewGame, AfterABestOf37TheTitleShowsZeroAndThirtySeven) {
    TestGame g;
    g.load();
    // 73 ticks round a loop, then the 74th runs into an obstacle: score 37.
    for (int tick = 2; tick <= 73; ++tick) g.step(aroundRing(g.z, 10, 40));
    g.paint(g.ahead(aroundRing(g.z, 10, 40)), paints::obstacle);
    g.step(aroundRing(g.z, 10, 40));
    ASSERT_TRUE(g.z.gameover().shown);
    ASSERT_EQ(g.z.best, 37);

    g.scriptBoard();
    g.z.gameover_Click();
    EXPECT_EQ(g.z.Caption(), titleFor(0, 37));
    EXPECT_EQ(g.z.Caption(), "Score:  0/ 37");
    EXPECT_EQ(g.z.best, 37);
}
