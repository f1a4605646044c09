// The tick: growth cycle, trail ring, score and title, and the cells a tick repaints.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "test_game.h"

using namespace zv;

namespace {

// A 102 board whose obstacles sit in the bottom rows and whose food waits in
// the top-left corner, with the snake circling the ring of cells 5..95,
// 360 cells round, longer than the snake ever gets in these runs.
struct CirclingGame : TestGame {
    CirclingGame() : TestGame(102) { load(); }
    void lap() { step(aroundRing(z, 5, 95)); }
};

std::set<int> changedCells(const zorvane& z) {
    const auto list = z.Block().changes();
    return {list.begin(), list.end()};
}

}  // namespace

TEST(Tick, SnakeGrowsTenThenElevenPerCycleWithoutFood) {
    CirclingGame g;
    EXPECT_EQ(snakeLength(g.z), 1);
    // The load's tick is tick 1. The tail holds on ticks 1..10, then on the
    // first eleven ticks of each later cycle of 250.
    const std::map<int, int> expected{{9, 9}, {10, 10}, {11, 10}, {249, 10},
                                      {259, 20}, {260, 21}, {499, 21}, {510, 32}};
    for (int tick = 2; tick <= 510; ++tick) {
        g.lap();
        if (auto it = expected.find(tick); it != expected.end()) {
            EXPECT_EQ(snakeLength(g.z), it->second) << "after tick " << tick;
            EXPECT_EQ(trailSpan(g.z), it->second) << "after tick " << tick;
        }
    }
    EXPECT_FALSE(g.z.gameover().shown);
}

TEST(Tick, HeadAndTailPositionsWrapFromRingEndTo1) {
    constexpr int end = zorvane::trailLength;
    CirclingGame g;
    // Only the wrap matters here: past its first ten cells the snake is kept
    // from growing, so it fits the circle however long the run.
    auto lap = [&g] {
        if (g.z.growtick == 0 && g.z.headpos > 20) g.z.growtick = 10;
        g.lap();
    };
    for (int tick = 1; tick < end; ++tick) lap();
    ASSERT_EQ(g.z.headpos, end);  // tick n stores the head in trail(n)
    const Integer cellAtEnd = g.z.trail[end];
    lap();
    EXPECT_EQ(g.z.headpos, 1);
    EXPECT_EQ(g.z.trail[1], g.cell(g.head()));
    EXPECT_EQ(g.role(g.head()), 'H');
    EXPECT_EQ(g.role(g.cellOf(cellAtEnd)), 's');

    for (int i = 0; i < 400 && g.z.tailpos < end; ++i) lap();
    ASSERT_EQ(g.z.tailpos, end);
    const int length = snakeLength(g.z);
    const Integer nextTail = g.z.trail[1];
    ASSERT_EQ(g.role(g.cellOf(nextTail)), 's');
    lap();
    EXPECT_EQ(g.z.tailpos, 1);
    EXPECT_EQ(g.role(g.cellOf(nextTail)), '.');
    EXPECT_EQ(snakeLength(g.z), length);
    EXPECT_EQ(trailSpan(g.z), length);
    EXPECT_FALSE(g.z.gameover().shown);
}

// A snake longer than any trail would hold on a smaller board: the tail must
// still reach every body cell, oldest first, or the board fills with cells
// nothing ever clears.
TEST(Tick, TailClearsEveryCellOfASnakeOverSixThousandLong) {
    TestGame g(102);
    g.load({101, 99});  // food out of the sweep's way, beside the parked obstacles
    while (g.head().y > 2) g.step("up");
    while (trailSpan(g.z) <= 6000 && g.head().y < 98) {
        // Past the first rows the growth never stops, as after endless meals.
        if (g.head().y > 12) g.z.growtick = 0;
        g.step(sweep(g.z, 2));
    }
    ASSERT_GT(trailSpan(g.z), 6000);
    ASSERT_FALSE(g.z.gameover().shown);

    const std::vector<Integer> body = liveTrail(g.z);
    std::set<Integer> live(body.begin(), body.end());
    int shownBody = 0;
    for (int n = 1; n < g.z.Block().count(); ++n) {
        if (roleOf(g.z.Block()[n]) != 's') continue;
        ++shownBody;
        EXPECT_TRUE(live.count(Integer(n))) << "body cell " << n << " is on no live trail entry";
    }
    EXPECT_EQ(shownBody + 1, int(body.size()));  // and the head

    // Moving on, each tail step hides the oldest body cell and no other.
    const double tailBefore = g.z.tailpos;
    for (int i = 0; i < 300 && !g.z.gameover().shown; ++i) g.step(sweep(g.z, 2));
    const int steps = int(g.z.tailpos - tailBefore);
    ASSERT_GT(steps, 200);
    for (int i = 0; i < int(body.size()); ++i)
        ASSERT_EQ(g.z.Block().visible(body[std::size_t(i)]), i >= steps) << "trail entry " << i << " of the old snake";
}

// Only a snake that crashes and resumes over itself again and again can span
// the whole ring; then its tail moves on even while it grows, and a meal
// lengthens it no further.
TEST(Tick, AFullTrailRingMovesTheTailEvenWhileGrowing) {
    constexpr int full = zorvane::trailLength - 1;
    TestGame g(12);
    g.load();
    for (int i = 0; i < 3; ++i) g.step("up");
    g.z.tailpos = g.z.headpos + 1;  // as if the snake had come all round the ring
    ASSERT_EQ(trailSpan(g.z), full);
    g.step("up");  // one of the first ten ticks, when the tail would hold
    EXPECT_EQ(g.z.tailpos, g.z.headpos + 1);
    EXPECT_EQ(trailSpan(g.z), full);
    g.eatAhead("right", {2, 10});
    EXPECT_EQ(trailSpan(g.z), full);
    EXPECT_EQ(g.role({7, 2}), 'H');
}

TEST(Tick, ScoreIsHalfTheTickCountAndTitleShowsItsWholePart) {
    TestGame g;
    g.load();
    std::string previous = g.z.Caption();
    EXPECT_EQ(g.z.score, 0.5);
    EXPECT_EQ(previous, titleFor(0, 0));
    for (int tick = 2; tick <= 9; ++tick) {
        g.step("right");
        EXPECT_EQ(g.z.score, tick / 2.0);
        EXPECT_EQ(g.z.best, tick / 2);
        EXPECT_EQ(g.z.Caption(), titleFor(tick / 2.0, tick / 2));
        // The shown score changes on every second tick only.
        EXPECT_EQ(g.z.Caption() != previous, tick % 2 == 0) << "tick " << tick;
        previous = g.z.Caption();
    }
    EXPECT_EQ(g.z.Caption(), "Score:  4/ 4");
}

// A tick repaints a handful of cells, and the list of changed cells names
// exactly those, so the window never has to look over the whole board.
TEST(Tick, ChangedCellsAreHeadPreviousHeadAndTheTailCellOnceItMoves) {
    TestGame g;
    g.load();
    for (int tick = 2; tick <= 11; ++tick) {
        g.z.Block().clearChanges();
        const Cell before = g.head();
        const Integer tail = g.z.trail[std::size_t(g.z.tailpos) + 1];
        g.step("right");
        std::set<int> expected{g.cell(before), g.cell(g.head())};
        if (tick == 11) expected.insert(tail);  // the first tail step
        EXPECT_EQ(changedCells(g.z), expected) << "tick " << tick;
        EXPECT_EQ(g.z.Block().changes().size(), expected.size()) << "tick " << tick;
    }
}

TEST(Tick, ChangedCellsIncludeFoodThatExpiresOrAppearsAndTheBlueBlock) {
    TestGame g;
    g.load();
    g.z.Block().clearChanges();
    Cell before = g.head();
    g.z.direction = "right";
    g.rng->push(TestGame::expire);
    g.z.Timer1_Timer();
    EXPECT_EQ(changedCells(g.z), (std::set<int>{g.cell(before), g.cell(g.head()), g.cell({2, 2})}));

    g.z.Block().clearChanges();
    before = g.head();
    g.scriptCell({40, 40});
    g.step("right");
    EXPECT_EQ(changedCells(g.z), (std::set<int>{g.cell(before), g.cell(g.head()), g.cell({40, 40})}));

    g.z.Block().clearChanges();
    before = g.head();
    g.eatAhead("right", {10, 10});  // the food moves from (40, 40) to the head's way
    EXPECT_EQ(changedCells(g.z),
              (std::set<int>{g.cell(before), g.cell(g.head()), g.cell({40, 40}), g.cell({10, 10})}));
}
