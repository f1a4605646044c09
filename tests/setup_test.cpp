// Building a board: defaults, the wall ring, the start cell and the obstacles.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_game.h"
#include "window/description.h"

using namespace zv;
using Picture = std::vector<std::string>;

TEST(Setup, FirstLoadOfTheRunUsesSide50AndSpeed75) {
    TestGame g;
    g.load();
    EXPECT_EQ(g.z.boardsize, 50);
    EXPECT_EQ(g.z.speed, 75);
    EXPECT_EQ(g.z.headx, 25);
    EXPECT_EQ(g.z.heady, 25);
    // The first tick stood the head on cell 25 + 50 * 24 without moving it.
    EXPECT_EQ(g.z.trail[1], 25 + 50 * 24);
    EXPECT_EQ(g.role({25, 25}), 'H');
    EXPECT_EQ(countRole(g.z, 'o'), 50);
    EXPECT_EQ(g.z.direction, "");
    EXPECT_EQ(g.z.Timer1().interval, 0);
    EXPECT_FALSE(g.z.pause().shown);
    EXPECT_FALSE(g.z.gameover().shown);
    // Square cells, the board as high as the window's inner area, the shorter side.
    EXPECT_EQ(g.z.Block()[0].width, g.z.Block()[0].height);
    EXPECT_FLOAT_EQ(50 * g.z.Block()[0].height, std::min(description::innerWidth, description::innerHeight));
    EXPECT_EQ(g.rng->seeds(), 1);
    EXPECT_EQ(g.rng->remaining(), 0u);
}

TEST(Setup, ObstacleCountFollowsBoardSide) {
    // One obstacle for every full fifty cells of the board.
    const struct {
        int side;
        int obstacles;
    } boards[] = {{12, 2}, {27, 14}, {50, 50}, {52, 54}, {77, 118}, {102, 208}};
    for (const auto& b : boards) {
        SCOPED_TRACE("side " + std::to_string(b.side));
        TestGame g(b.side);
        g.load();
        EXPECT_EQ(countRole(g.z, 'o'), b.obstacles);
        // Had fewer obstacles been drawn, a scripted obstacle would now be the food.
        EXPECT_EQ(g.role({2, 2}), '*');
        EXPECT_EQ(g.rng->remaining(), 0u);
    }
}

TEST(Setup, TwelveBoardHasRingStartCellObstaclesAndFood) {
    TestGame g(12);
    g.load({{3, 4}, {9, 8}}, {10, 3});
    EXPECT_EQ(boardPicture(g.z), (Picture{
                                     "############",
                                     "#..........#",
                                     "#........*.#",
                                     "#.o........#",
                                     "#..........#",
                                     "#....H.....#",
                                     "#..........#",
                                     "#.......o..#",
                                     "#..........#",
                                     "#..........#",
                                     "#..........#",
                                     "############",
                                 }));
}

TEST(Setup, WallRingKeepsTemplateLookAndTemplateStaysHidden) {
    TestGame g;
    g.load();
    for (int i = 0; i < 3; ++i) g.step("right");

    const BlockArray& cells = g.z.Block();
    EXPECT_FALSE(cells[0].visible);
    int ring = 0;
    for (int y = 1; y <= 50; ++y)
        for (int x = 1; x <= 50; ++x) {
            if (x != 1 && y != 1 && x != 50 && y != 50) continue;
            const Shape& s = cells[g.z.cellAt(x, y)];
            if (s.visible && s.fill == description::templateFill && s.outline == description::templateOutline &&
                s.kind == ShapeKind::Rectangle)
                ++ring;
        }
    EXPECT_EQ(ring, 4 * 49);
    EXPECT_EQ(countRole(g.z, '#'), 4 * 49);
}

TEST(Setup, RejectedObstacleCandidatesAreDrawnAgain) {
    // Between the first obstacle (3, 4) and the second (9, 8) comes one
    // candidate that must be turned down.
    const struct {
        const char* what;
        float column, row;
    } rejected[] = {
        {"wall ring", ScriptedRandom::slot(1, 12), ScriptedRandom::slot(5, 12)},
        {"another obstacle", ScriptedRandom::slot(3, 12), ScriptedRandom::slot(4, 12)},
        {"start cell", ScriptedRandom::slot(6, 12), ScriptedRandom::slot(6, 12)},
        {"draws of 1.0: the bottom-right corner, not off the board", 1.0f, 1.0f},
    };
    for (const auto& r : rejected) {
        SCOPED_TRACE(r.what);
        TestGame g(12);
        g.rng->cell(3, 4, 12);
        g.rng->push({r.column, r.row});
        g.load({{9, 8}}, {10, 3});
        EXPECT_EQ(countRole(g.z, 'o'), 2);
        EXPECT_EQ(g.role({3, 4}), 'o');
        EXPECT_EQ(g.role({9, 8}), 'o');
        EXPECT_EQ(g.role({6, 6}), 'H');
        EXPECT_EQ(countRole(g.z, '#'), 4 * 11);
        EXPECT_EQ(g.role({10, 3}), '*');
        EXPECT_EQ(g.rng->remaining(), 0u);
    }
}
