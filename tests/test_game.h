#pragma once

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "board_picture.h"
#include "game/paints.h"
#include "game/state.h"
#include "board_script.h"
#include "scripted_random.h"

using board_script::Cell;

// Where the tests put the obstacles when their places do not matter: one in
// fifty cells, along the bottom inner rows from the left, away from the
// start cell and from the paths the snake takes in these tests.
inline std::vector<Cell> parkedObstacles(int side) { return board_script::obstacleCells(side); }

// The window with a scripted random source, plus the small moves most tests make.
class TestGame {
public:
    static constexpr float keep = 0.5f;   // an expiry draw that leaves the food
    static constexpr float expire = 0.0f; // an expiry draw that takes it away

    explicit TestGame(int side = 0) : rng(new ScriptedRandom), z(std::unique_ptr<zv::RandomSource>(rng)) {
        if (side != 0) z.boardsize = zv::Integer(side);
    }

    ScriptedRandom* const rng;  // owned by z
    zv::zorvane z;

    // Side of the board the next load builds (the first load makes it 50).
    int nextSide() const { return z.boardsize != 0 ? z.boardsize : 50; }
    int side() const { return int(z.cols); }

    // Lines up every draw of one load: the obstacles, the first food, and an
    // expiry draw that keeps that food.
    void scriptBoard(const std::vector<Cell>& obstacleCells, Cell food, float expiry = keep) {
        for (Cell c : obstacleCells) rng->cell(c.x, c.y, nextSide());
        rng->cell(food.x, food.y, nextSide());
        rng->push(expiry);
    }
    void scriptBoard(Cell food = {2, 2}) { scriptBoard(parkedObstacles(nextSide()), food); }

    void load(Cell food = {2, 2}) {
        scriptBoard(food);
        z.Show();
    }
    void load(const std::vector<Cell>& obstacleCells, Cell food, float expiry = keep) {
        scriptBoard(obstacleCells, food, expiry);
        z.Show();
    }

    // Aims the next free-cell search (food or blue block) at cell c.
    void scriptCell(Cell c) { rng->cell(c.x, c.y, side()); }

    // One tick in the given heading, with the food on the board left alone.
    void step(const std::string& heading) {
        z.direction = heading;
        rng->push(keep);
        z.Timer1_Timer();
    }

    zv::Integer cell(Cell c) const { return z.cellAt(c.x, c.y); }
    Cell cellOf(int n) const { return {(n - 1) % side() + 1, (n - 1) / side() + 1}; }
    Cell head() const { return {int(z.headx), int(z.heady)}; }
    char role(Cell c) const { return roleOf(z.Block()[cell(c)]); }

    // The cell the head enters on the next tick in this heading.
    Cell ahead(const std::string& heading) const {
        Cell c = head();
        if (heading == "up") --c.y;
        if (heading == "down") ++c.y;
        if (heading == "left") --c.x;
        if (heading == "right") ++c.x;
        return c;
    }

    // Shows cell c with the given fill, as if the game had put something there.
    void paint(Cell c, zv::Rgb fill) {
        z.Block().setFill(cell(c), fill);
        z.Block().show(cell(c));
    }

    // Moves the food that is up to the cell straight in front of the head and
    // eats it, with the blue block it brings placed at `blue`.
    void eatAhead(const std::string& heading, Cell blue) {
        if (!z.foodup) throw std::logic_error("eatAhead needs food on the board");
        z.Block().hide(zv::toInteger(z.scratch));
        paint(ahead(heading), zv::paints::food);
        z.scratch = cell(ahead(heading));
        z.direction = heading;
        rng->push(keep);
        scriptCell(blue);
        z.Timer1_Timer();
    }
};

// Heading that takes the head clockwise round the square ring of cells
// lo..hi (columns and rows); from inside the ring it first heads up to it.
inline std::string aroundRing(const zv::zorvane& z, int lo, int hi) {
    const int x = int(z.headx);
    const int y = int(z.heady);
    if (y == lo && x < hi) return "right";
    if (x == hi && y < hi) return "down";
    if (y == hi && x > lo) return "left";
    if (x == lo && y > lo) return "up";
    return "up";
}

// Heading of a back-and-forth sweep over the inner board, starting rightward
// on row `firstRow` and dropping one row at each side wall. It never comes back
// to a cell it has left, so the snake cannot run into itself.
inline std::string sweep(const zv::zorvane& z, int firstRow) {
    const int x = int(z.headx);
    const int y = int(z.heady);
    const int lastColumn = int(z.cols) - 1;
    if ((y - firstRow) % 2 == 0) return x < lastColumn ? "right" : "down";
    return x > 2 ? "left" : "down";
}

// How the title shows a score and a best: each number's digits after one space.
inline std::string titleFor(double score, double best) {
    auto form = [](double v) {
        return std::string(1, ' ').append(std::to_string(static_cast<long long>(std::floor(v))));
    };
    return "Score: " + form(score) + "/" + form(best);
}

// Number of trail entries the snake spans, counted round the ring.
inline int trailSpan(const zv::zorvane& z) {
    return (int(z.headpos) - int(z.tailpos) + zv::zorvane::trailLength) % zv::zorvane::trailLength;
}

// The cells of the trail entries the snake spans, tail end first: the cells
// the tail will clear, in the order it clears them.
inline std::vector<zv::Integer> liveTrail(const zv::zorvane& z) {
    std::vector<zv::Integer> cells;
    for (int i = 1; i <= trailSpan(z); ++i)
        cells.push_back(z.trail[std::size_t((int(z.tailpos) + i - 1) % zv::zorvane::trailLength + 1)]);
    return cells;
}
