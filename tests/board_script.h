#pragma once

// The draws of a scripted board, for every front end's window tests: where
// the obstacles and the first food fall, so a test knows the board.
#include <vector>

#include "scripted_random.h"

namespace board_script {

// The expiry draw that never lets food expire.
inline constexpr float keepFood = 0.5f;

// A board of this side gets Int(rows * cols / 50) obstacles.
inline int obstacleCount(int side) { return side * side / 50; }

struct Cell {
    int x;
    int y;
    friend bool operator==(Cell, Cell) = default;
};

// The obstacle cells of a scripted board: the given ones first, then the
// bottom inner rows from the left, well away from the snake's start and the food.
inline std::vector<Cell> obstacleCells(int side, const std::vector<Cell>& first = {}) {
    std::vector<Cell> cells = first;
    for (int y = side - 1; y > 1 && int(cells.size()) < obstacleCount(side); --y)
        for (int x = 2; x < side && int(cells.size()) < obstacleCount(side); ++x) {
            bool taken = false;
            for (const Cell& c : first) taken = taken || (c.x == x && c.y == y);
            if (!taken) cells.push_back({x, y});
        }
    cells.resize(std::size_t(obstacleCount(side)));
    return cells;
}

// Lines up every draw of one board's set-up and of the load's own tick:
// the obstacles, the first food and the expiry draw.
inline void lineUpBoard(ScriptedRandom& random, int side, Cell firstFood = {3, 3}, const std::vector<Cell>& first = {}) {
    for (const Cell& c : obstacleCells(side, first)) random.cell(c.x, c.y, side);
    random.cell(firstFood.x, firstFood.y, side);
    random.push(keepFood);
}

}  // namespace board_script
