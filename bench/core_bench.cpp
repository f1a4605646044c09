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
#include "pilot.h"

namespace {

using bench::Pilot;
using bench::snakeLength;
using zv::BlockArray;
using zv::Integer;
using zv::zorvane;

// The largest board the Size menu offers ("100x100"), wall ring included.
constexpr Integer largestBoard = 102;
// What one meal adds to the level points.
constexpr int pointsPerMeal = 100;


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
