#pragma once

// A steering pilot for benchmarks: keeps the snake alive between ticks the
// way a player at the keyboard would.
#include <cstdlib>
#include <functional>

#include "game/paints.h"
#include "game/state.h"
#include "window/keys.h"

namespace bench {

using zv::BlockArray;
using zv::Integer;
using zv::zorvane;

enum Heading : int { Up, Down, Left, Right, NoHeading };
inline constexpr int stepX[] = {0, 0, -1, 1};
inline constexpr int stepY[] = {-1, 1, 0, 0};
inline constexpr Integer keyFor[] = {zv::keys::Up, zv::keys::Down, zv::keys::Left, zv::keys::Right};
inline constexpr Heading reverseOf[] = {Down, Up, Right, Left, NoHeading};

// Plays the way a player at the keyboard does: heads for the food, never asks
// for the reverse of the current heading (the key handler would refuse it),
// never steers into a shown cell other than food, and keeps away from cells
// with no way on. It presses an arrow key, through the key handler, only when
// the heading changes or the clock is stopped, as after a new board.
class Pilot {
public:
    // `press` delivers an arrow key the way the player's keyboard would.
    Pilot(const zorvane& game, std::function<void(Integer)> press) : game_(game), press_(std::move(press)) {}
    // The keys straight to the key handler.
    explicit Pilot(zorvane& game) : Pilot(game, [&game](Integer key) { game.Form_KeyDown(key, 0); }) {}

    // Sets the heading for the next tick. False when every heading the keys
    // allow runs into an occupied cell: the snake is boxed in.
    bool steer() {
        if (game_.loadCount() != board_) {  // a new board starts with no heading
            board_ = game_.loadCount();
            heading_ = NoHeading;
        }
        const BlockArray& cells = game_.Block();
        cols_ = int(game_.cols);
        const int x = int(game_.headx);
        const int y = int(game_.heady);

        bool chasing = false;
        int foodX = 0;
        int foodY = 0;
        if (game_.foodup) {
            // Food hidden again by a tail step leaves foodup set with nothing to eat.
            const int food = int(game_.scratch);
            if (cells.visible(food) && cells.fill(food) == zv::paints::food) {
                chasing = true;
                foodX = (food - 1) % cols_ + 1;
                foodY = (food - 1) / cols_ + 1;
            }
        }
        const int distance = std::abs(x - foodX) + std::abs(y - foodY);

        Heading choice = NoHeading;
        int bestScore = -1;
        for (int h = Up; h <= Right; ++h) {
            if (h == reverseOf[heading_]) continue;
            const int nx = x + stepX[h];
            const int ny = y + stepY[h];
            const int cell = nx + cols_ * (ny - 1);
            if (!isFree(cells, cell)) continue;
            int score = 0;
            if (hasWayOn(cells, cell, Heading(h))) score += 4;
            if (chasing && std::abs(nx - foodX) + std::abs(ny - foodY) < distance) score += 2;
            if (h == heading_) score += 1;
            if (score > bestScore) {
                bestScore = score;
                choice = Heading(h);
                ahead_ = cell;
            }
        }
        if (choice == NoHeading) return false;

        if (choice != heading_ || game_.Timer1().interval == 0) {
            press_(keyFor[choice]);
            heading_ = choice;
        }
        return true;
    }

    // Whether the cell the next tick moves into holds food.
    bool eatsNext() const { return game_.Block().visible(ahead_); }

private:
    // Hidden, or food: a cell the head may enter.
    static bool isFree(const BlockArray& cells, int cell) {
        return !cells.visible(cell) || cells.fill(cell) == zv::paints::food;
    }

    // Whether a head arriving in `cell` heading `h` could move on from there.
    bool hasWayOn(const BlockArray& cells, int cell, Heading h) const {
        for (int next = Up; next <= Right; ++next) {
            if (next == reverseOf[h]) continue;
            if (isFree(cells, cell + stepX[next] + cols_ * stepY[next])) return true;
        }
        return false;
    }

    const zorvane& game_;
    std::function<void(Integer)> press_;
    Heading heading_ = NoHeading;
    long board_ = -1;
    int cols_ = 0;
    int ahead_ = 0;
};

// The snake's length in cells, read from the trail ring.
inline int snakeLength(const zorvane& game) {
    const int length = int(game.headpos) - int(game.tailpos);
    return length >= 0 ? length : length + zorvane::trailLength;
}

}  // namespace bench
