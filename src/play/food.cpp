// Placing food, letting it expire, and dropping blue blocks.
#include "game/paints.h"
#include "game/state.h"

namespace zv {

std::optional<Integer> zorvane::freeCell() {
    // Without a hidden cell the search could never end.
    if (Block().hiddenCells() == 0) return std::nullopt;
    for (;;) {
        const double x = Int(cols * rnd()) + 1;
        const double y = Int(rows * rnd()) + 1;
        const Integer n = cellAt(x, y);
        if (!Block().visible(n)) return n;
    }
}

void zorvane::makefood() {
    foodup = true;
    const auto cell = freeCell();
    if (!cell) {
        foodup = false;  // try again on a later tick, once a cell is free
        return;
    }
    scratch = *cell;
    Block().setFill(*cell, paints::food);
    Block().show(*cell);
}

void zorvane::toolate() {
    foodup = false;
    Block().hide(toInteger(scratch));
}

void zorvane::randomblock() {
    const auto cell = freeCell();
    if (!cell) return;
    Block().setFill(*cell, paints::blueBlock);
    Block().show(*cell);
}

}  // namespace zv
