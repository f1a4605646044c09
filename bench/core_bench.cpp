// Speed of the game core, without a window: one tick of play, building a
// board, and the search for a free cell on a crowded board.
//
// Run with repetitions and read the medians:
//   ./core_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "game/paints.h"
#include "game/state.h"
#include "window/keys.h"

namespace {

using zv::BlockArray;
using zv::Integer;
using zv::zorvane;

// The largest board the Size menu offers ("100x100"), wall ring included.
constexpr Integer largestBoard = 102;
// What one meal adds to the level points.
constexpr int pointsPerMeal = 100;

enum Heading : int { Up, Down, Left, Right, NoHeading };
constexpr int stepX[] = {0, 0, -1, 1};
constexpr int stepY[] = {-1, 1, 0, 0};
constexpr Integer keyFor[] = {zv::keys::Up, zv::keys::Down, zv::keys::Left, zv::keys::Right};
constexpr Heading reverseOf[] = {Down, Up, Right, Left, NoHeading};

// Plays the way a player at the keyboard does: heads for the food, never asks
// for the reverse of the current heading (the key handler would refuse it),
// never steers into a shown cell other than food, and keeps away from cells
// with no way on. It presses an arrow key, through the key handler, only when
// the heading changes or the clock is stopped, as after a new board.
class Pilot {
public:
    explicit Pilot(zorvane& game) : game_(game) {}

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
            game_.Form_KeyDown(keyFor[choice], 0);
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

    zorvane& game_;
    Heading heading_ = NoHeading;
    long board_ = -1;
    int cols_ = 0;
    int ahead_ = 0;
};

// The snake's length in cells, read from the trail ring.
int snakeLength(const zorvane& game) {
    const int length = int(game.headpos) - int(game.tailpos);
    return length >= 0 ? length : length + zorvane::trailLength;
}

// One tick of play on the largest board, the snake moving and steered between
// ticks, the changed cells cleared after each tick as the window does once it
// has repainted them. Each iteration is one tick plus the steering before it.
//
// Two things run outside the timed region: starting a new game when the snake
// has boxed itself in (or crashed, which the pilot should never let happen),
// and a meal that completes the level, since that tick builds a whole new
// board, which BM_LoadBoard measures on its own.
void BM_Tick(benchmark::State& state) {
    zorvane game;
    game.boardsize = largestBoard;
    game.Show();
    game.Block().clearChanges();
    Pilot pilot(game);

    std::int64_t meals = 0;
    std::int64_t newGames = 0;
    std::int64_t crashes = 0;
    std::int64_t newBoards = 0;
    std::int64_t lengthSum = 0;
    std::int64_t lengthSamples = 0;

    auto newGame = [&] {
        game.gameover_Click();
        game.Block().clearChanges();
        ++newGames;
    };

    for (auto _ : state) {
        for (;;) {
            if (!pilot.steer()) {
                state.PauseTiming();
                newGame();
                state.ResumeTiming();
                continue;
            }
            if (!pilot.eatsNext()) break;
            ++meals;
            if (game.levelpoints + pointsPerMeal <= game.boardsize * pointsPerMeal) break;
            state.PauseTiming();
            game.Timer1_Timer();
            game.Block().clearChanges();
            ++newBoards;
            state.ResumeTiming();
        }

        game.Timer1_Timer();
        game.Block().clearChanges();

        if (game.gameover().shown) {
            state.PauseTiming();
            ++crashes;
            newGame();
            state.ResumeTiming();
        }
        if ((state.iterations() & 1023) == 0) {
            lengthSum += snakeLength(game);
            ++lengthSamples;
        }
    }

    state.SetItemsProcessed(state.iterations());
    using benchmark::Counter;
    state.counters["meals_per_tick"] = Counter(double(meals), Counter::kAvgIterations);
    state.counters["new_games_per_tick"] = Counter(double(newGames), Counter::kAvgIterations);
    state.counters["new_boards"] = double(newBoards);
    state.counters["crashes"] = double(crashes);
    if (lengthSamples > 0) state.counters["mean_length"] = double(lengthSum) / double(lengthSamples);
}
BENCHMARK(BM_Tick);

// A full load: unloading the window and showing it again, which builds the
// controls, sets up the grid and the obstacles and runs the first tick. This is
// what a click on Game Over and a level advance both cost.
void BM_LoadBoard(benchmark::State& state) {
    zorvane game;
    game.boardsize = Integer(state.range(0));
    game.Show();
    for (auto _ : state) {
        game.Unload();
        game.Show();
    }
    state.counters["cells"] = double(game.Block().count() - 1);
}
// 50 is the side of the first board of a run; 102 the largest menu choice.
BENCHMARK(BM_LoadBoard)->ArgName("side")->Arg(50)->Arg(largestBoard)->Unit(benchmark::kMicrosecond);

// Placing food (and letting it expire again) on the largest board with only
// `free` hidden cells left: the free-cell search draws until it hits one, so
// its cost grows with the board's crowding.
void BM_FreeCellSearch(benchmark::State& state) {
    const auto freeCells = std::size_t(state.range(0));
    zorvane game;
    game.boardsize = largestBoard;
    game.Show();

    BlockArray& cells = game.Block();
    std::vector<int> hidden;
    for (int n = 1; n < cells.count(); ++n)
        if (!cells.visible(n)) hidden.push_back(n);
    if (hidden.size() < freeCells) {
        state.SkipWithError("the board has fewer hidden cells than asked for");
        return;
    }
    std::mt19937 shuffler(2024);
    std::shuffle(hidden.begin(), hidden.end(), shuffler);
    for (std::size_t i = freeCells; i < hidden.size(); ++i) {
        cells.setFill(hidden[i], zv::paints::blueBlock);
        cells.show(hidden[i]);
    }
    cells.clearChanges();

    for (auto _ : state) {
        game.makefood();
        game.toolate();
        game.Block().clearChanges();
    }
    state.counters["expected_candidates"] = double(cells.count() - 1) / double(freeCells);
}
BENCHMARK(BM_FreeCellSearch)->ArgName("free")->Arg(9000)->Arg(1000)->Arg(100)->Arg(10)->Arg(1);

}  // namespace
