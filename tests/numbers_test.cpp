// The game's checked number kinds and the numbering of the board's cells.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "game/numbers.h"
#include "test_game.h"

using namespace zv;

TEST(Numbers, ConversionsRoundHalvesToEvenAndRejectWhatDoesNotFit) {
    EXPECT_EQ(toInteger(2.5), 2);
    EXPECT_EQ(toInteger(3.5), 4);
    EXPECT_EQ(toInteger(-32768), -32768);
    EXPECT_THROW(toInteger(32767.5), std::overflow_error);  // rounds up to 32768
    EXPECT_THROW(toInteger(std::nan("")), std::overflow_error);
    EXPECT_EQ(toLong(2147483647.0), std::numeric_limits<Long>::max());
    EXPECT_THROW(toLong(2147483648.0), std::overflow_error);
    EXPECT_THROW(addLong(std::numeric_limits<Long>::max(), 1), std::overflow_error);
}

TEST(Numbers, LevelThresholdAndSizeArithmeticFitIntegerForEveryOfferedSize) {
    // A new board comes when the food points pass the side times 100.
    EXPECT_EQ(mulInteger(102, 100), 10200);
    EXPECT_EQ(mulInteger(327, 100), 32700);
    EXPECT_THROW(mulInteger(328, 100), std::overflow_error);
    EXPECT_THROW(addInteger(32767, 1), std::overflow_error);
}

TEST(Cells, CellNumbersFitIntegerUpToSide181) {
    zorvane z(std::make_unique<ScriptedRandom>());
    z.cols = 181;
    EXPECT_EQ(z.cellAt(181, 181), 181 * 181);
    z.cols = 182;
    EXPECT_THROW(z.cellAt(182, 182), std::overflow_error);
}

TEST(Cells, FiftyTwoBoardIsNumberedRowByRowFromTheTopLeft) {
    TestGame g(52);
    g.load();
    EXPECT_EQ(g.z.cellAt(1, 1), 1);
    EXPECT_EQ(g.z.cellAt(1, 2), 53);
    EXPECT_EQ(g.z.cellAt(52, 52), 52 * 52);
    EXPECT_EQ(g.z.Block().count(), 52 * 52 + 1);  // the cells and the template
    const int n = g.z.cellAt(20, 30);
    EXPECT_EQ(g.z.cellAt(21, 30), n + 1);
    EXPECT_EQ(g.z.cellAt(20, 31), n + 52);

    // Each numbered cell stands at its own column and row on screen, in square cells.
    const BlockArray& cells = g.z.Block();
    const float side = cells[0].height;
    EXPECT_FLOAT_EQ(cells[0].width, side);
    int misplaced = 0;
    for (int y = 1; y <= 52; ++y)
        for (int x = 1; x <= 52; ++x) {
            const Shape& s = cells[g.z.cellAt(x, y)];
            if (s.left != side * float(x - 1) || s.top != side * float(y - 1) || s.width != side) ++misplaced;
        }
    EXPECT_EQ(misplaced, 0);
}
