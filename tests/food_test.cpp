// Food: placing, eating, expiring, the growth it brings and the blue blocks it drops.
#include <gtest/gtest.h>

#include "test_game.h"
#include "window/keys.h"

using namespace zv;

TEST(Food, FoodPlacedOnHeadCellIsEatenSameTick) {
    TestGame g;
    g.load();
    g.z.direction = "right";
    g.rng->push(TestGame::expire);  // tick 2: the first food goes away
    g.z.Timer1_Timer();
    ASSERT_FALSE(g.z.foodup);
    const double score = g.z.score;

    // Tick 3: the new food falls on the very cell the head is entering.
    g.scriptCell({27, 25});
    g.rng->push(TestGame::keep);
    g.scriptCell({10, 40});  // the blue block it brings
    g.step("right");
    EXPECT_EQ(g.head(), (Cell{27, 25}));
    EXPECT_EQ(g.role({27, 25}), 'H');
    EXPECT_EQ(g.z.score, score + 100 + 0.5);
    EXPECT_EQ(g.z.levelpoints, 100);
    EXPECT_EQ(g.role({10, 40}), 'b');
    EXPECT_FALSE(g.z.foodup);
    EXPECT_EQ(countRole(g.z, '*'), 0);
    EXPECT_FALSE(g.z.gameover().shown);
}

TEST(Food, FoodCanExpireOnTheTickItIsPlaced) {
    TestGame g;
    g.load(parkedObstacles(50), {30, 30}, TestGame::expire);
    EXPECT_FALSE(g.z.foodup);
    EXPECT_EQ(g.role({30, 30}), '.');
    EXPECT_EQ(countRole(g.z, '*'), 0);

    // With no food up, the next tick places one.
    g.scriptCell({40, 40});
    g.step("right");
    EXPECT_TRUE(g.z.foodup);
    EXPECT_EQ(g.role({40, 40}), '*');
    EXPECT_EQ(g.z.scratch, g.cell({40, 40}));
}

TEST(Food, ExpiryNeedsADrawStrictlyBelowOneThousandth) {
    TestGame g;
    g.load();
    g.z.direction = "right";
    g.rng->push(0.001f);
    g.z.Timer1_Timer();
    EXPECT_TRUE(g.z.foodup);
    EXPECT_EQ(g.role({2, 2}), '*');
    g.rng->push(0.0009f);
    g.z.Timer1_Timer();
    EXPECT_FALSE(g.z.foodup);
    EXPECT_EQ(g.role({2, 2}), '.');
}

TEST(Food, FoodEatenWhileTailposAtMostFiveAddsNoLength) {
    TestGame g;
    g.load();
    g.step("right");
    g.eatAhead("right", {10, 40});  // tick 3, tail not yet moving
    EXPECT_EQ(g.z.score, 100 + 1.5);
    EXPECT_EQ(g.z.levelpoints, 100);
    EXPECT_EQ(countRole(g.z, 'b'), 1);
    g.scriptCell({2, 3});  // tick 4 places the next food out of the way
    for (int tick = 4; tick <= 15; ++tick) g.step("right");
    ASSERT_EQ(g.z.tailpos, 5);
    g.eatAhead("right", {10, 41});  // tick 16: five is not above five
    g.scriptCell({2, 4});
    for (int tick = 17; tick <= 20; ++tick) g.step("right");
    EXPECT_EQ(snakeLength(g.z), 10);  // as long as without the meals
    EXPECT_EQ(countRole(g.z, 'b'), 2);
    EXPECT_FALSE(g.z.gameover().shown);
}

TEST(Food, FoodEatenWithTailposAboveFiveGivesFiveMoreCells) {
    TestGame g;
    g.load();
    for (int tick = 2; tick <= 19; ++tick) g.step(aroundRing(g.z, 10, 40));
    ASSERT_EQ(snakeLength(g.z), 10);
    ASSERT_GT(g.z.tailpos, 5);
    g.eatAhead(aroundRing(g.z, 10, 40), {10, 45});  // tick 20
    g.scriptCell({2, 3});
    for (int tick = 21; tick <= 40; ++tick) g.step(aroundRing(g.z, 10, 40));
    EXPECT_EQ(snakeLength(g.z), 15);
    EXPECT_FALSE(g.z.gameover().shown);
}

// The head runs into its own body and play goes on: the crash cell then
// stands twice in the trail. The tail clears it at the earlier entry; food or
// a blue block that lands there afterwards must outlast the later entry.
TEST(Food, TailStepLeavesFoodOrBlueBlockOnACellTheTrailHoldsTwice) {
    const Cell spot{26, 25};
    for (const char landing : {'*', 'b'}) {
        SCOPED_TRACE(landing);
        TestGame g;
        g.load();
        const auto press = [&g](Integer key, float expiry = TestGame::keep) {
            g.z.Form_KeyDown(key, 0);
            g.rng->push(expiry);
            g.z.Timer1_Timer();
        };
        for (Integer key : {keys::Right, keys::Right, keys::Down, keys::Left, keys::Up}) press(key);  // ticks 2..6
        ASSERT_EQ(g.role(spot), 'X');
        ASSERT_EQ(g.z.Timer1().interval, 0);
        for (Integer key : {keys::Up, keys::Up, keys::Left, keys::Left, keys::Down}) press(key);  // ticks 7..11
        ASSERT_EQ(g.z.Timer1().interval, 75);
        press(keys::Down, landing == '*' ? TestGame::expire : TestGame::keep);  // tick 12
        ASSERT_EQ(g.role(spot), '.');  // cleared at its first trail entry

        if (landing == '*') {
            g.scriptCell(spot);  // tick 13: the next food
            press(keys::Down);
        } else {
            g.eatAhead("down", spot);  // tick 13: a meal drops its blue block there
            g.scriptCell({2, 3});
        }
        for (Integer key : {keys::Down, keys::Right, keys::Up, keys::Up}) press(key);  // ticks 14..17
        ASSERT_EQ(g.cell(spot), g.z.trail[6]);  // the entry tick 16's tail step reached
        EXPECT_EQ(g.role(spot), landing);

        // Tick 18 enters the spot from the left: the food is eaten, the block is a crash.
        const double score = g.z.score;
        g.z.Form_KeyDown(keys::Right, 0);
        g.rng->push(TestGame::keep);
        if (landing == '*') g.scriptCell({10, 40});  // the meal's blue block
        g.z.Timer1_Timer();
        if (landing == '*') {
            EXPECT_EQ(g.role(spot), 'H');
            EXPECT_EQ(g.z.score, score + 100 + 0.5);
            EXPECT_EQ(g.role({10, 40}), 'b');
        } else {
            EXPECT_EQ(g.role(spot), 'X');
            EXPECT_EQ(g.z.Timer1().interval, 0);
        }
    }
}

TEST(Food, BlueBlockCanLandRightInFrontOfTheHead) {
    TestGame g;
    g.load();
    g.eatAhead("right", {27, 25});  // eats (26, 25); the block lands on the next cell
    EXPECT_EQ(g.role({27, 25}), 'b');
    g.scriptCell({2, 3});
    g.step("right");
    EXPECT_EQ(g.role({27, 25}), 'X');
    EXPECT_TRUE(g.z.gameover().shown);
    EXPECT_EQ(g.z.Timer1().interval, 0);
}

TEST(Food, DrawOfOneFindsTheLastCellNotOneBeyond) {
    TestGame g;
    g.load(parkedObstacles(50), {2, 2}, TestGame::expire);
    // Free the bottom-right and right-hand wall cells so that draws of 1.0 can land there.
    g.z.Block().hide(g.cell({50, 50}));
    g.z.Block().hide(g.cell({50, 30}));
    g.rng->push({1.0f, 1.0f});
    g.step("right");
    EXPECT_EQ(g.role({50, 50}), '*');
    EXPECT_EQ(g.z.scratch, g.cell({50, 50}));

    g.z.direction = "right";
    g.paint(g.ahead("right"), paints::food);
    g.rng->push(TestGame::keep);
    g.rng->push({1.0f, ScriptedRandom::slot(30, 50)});
    g.z.Timer1_Timer();
    EXPECT_EQ(g.role({50, 30}), 'b');
}

TEST(Food, BoardWithNoHiddenCellGetsNoFood) {
    TestGame g(12);
    g.load(parkedObstacles(12), {2, 2}, TestGame::expire);
    for (int n = 1; n <= 12 * 12; ++n) g.z.Block().show(n);
    ASSERT_EQ(g.z.Block().hiddenCells(), 0);
    const int foodBefore = countRole(g.z, '*');
    const long draws = g.rng->draws();
    g.z.direction = "right";  // into a taken cell: a crash, but no food search first
    g.rng->push(TestGame::expire);
    g.z.Timer1_Timer();
    EXPECT_FALSE(g.z.foodup);
    EXPECT_EQ(g.rng->draws() - draws, 1);  // the expiry draw only
    EXPECT_EQ(g.z.Block().hiddenCells(), 0);  // with no food up, nothing expires
    EXPECT_EQ(countRole(g.z, '*'), foodBefore);
    EXPECT_TRUE(g.z.gameover().shown);
}

TEST(Food, MealOnTheLastFreeCellDropsNoBlueBlock) {
    TestGame g(12);
    g.load();
    for (int n = 1; n <= 12 * 12; ++n) g.z.Block().show(n);
    g.paint({7, 6}, paints::food);  // the only food; nothing else is free
    const double score = g.z.score;
    g.step("right");
    EXPECT_EQ(g.z.score, score + 100 + 0.5);
    EXPECT_EQ(countRole(g.z, 'b'), 0);
    EXPECT_EQ(g.role({7, 6}), 'H');
    EXPECT_FALSE(g.z.gameover().shown);
    EXPECT_EQ(g.rng->remaining(), 0u);
}
