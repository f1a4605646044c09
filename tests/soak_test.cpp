// Long random sessions: a player mashing keys, buttons and menus on every
// board size, the clock ticking whenever it runs, all through a front end
// with no toolkit. After every event the board must look to the player
// exactly as the game believes it is, and the screen must say what the game
// says: the picture, title, buttons, clock and focus.
#include <gtest/gtest.h>

#include "headless_screen.h"
#include "session_checks.h"

using namespace zv;
using session::Event;

namespace {

// What the window shows besides the board must be the game's own.
std::string screenProblem(HeadlessScreen& screen) {
    const zorvane& z = screen.game();
    if (screen.ended) return z.ended() ? "" : "the screen ended before the game";
    // A tick's score may wait for the title's turn, but only while the game runs.
    if (screen.title != z.Caption() && !screen.wakeUp)
        return "title \"" + screen.title + "\" for \"" + z.Caption() + "\" with the game standing";
    if (screen.pause.shown != z.pause().shown || screen.gameover.shown != z.gameover().shown)
        return "a button is shown that the game hides, or the other way round";
    if (screen.gameover.place != buttonBox(z.gameover())) return "Game Over is out of its place";
    if (screen.interval() != z.Timer1().interval) return "the clock runs at another interval than the game's";
    if ((screen.focus == Focus::Pause && !screen.pause.shown) || (screen.focus == Focus::GameOver && !screen.gameover.shown))
        return "a hidden button holds the keys";
    return "";
}

}  // namespace

// Each seed plays at its own screen scale.
class Soak : public ::testing::TestWithParam<std::pair<unsigned, double>> {};

TEST_P(Soak, RandomPlayNeverBreaksTheGame) {
    const auto [seed, ratio] = GetParam();
    HeadlessScreen screen(session::seeded(seed), ratio);
    zorvane& z = screen.game();
    session::Checker checker;
    ASSERT_EQ(checker.check(z, screen.repainted()), "") << "after the first load";
    session::RandomPlayer player(seed);
    long ticks = 0;
    const auto rebuilds = screen.rebuilds();

    for (long step = 0; step < 60'000; ++step) {
        const auto [event, pick] = player.next(z);
        ticks += event == Event::Tick;
        session::deliver(screen, event, pick);
        std::string problem = checker.check(z, screen.repainted());
        if (problem.empty()) problem = screenProblem(screen);
        // Repainting only the listed cells left the same picture as a whole repaint.
        if (problem.empty() && step % 2000 == 0 && !screen.matchesWholeRepaint())
            problem = "the repaints left another picture than a whole repaint";
        ASSERT_EQ(problem, "") << "step " << step << ", event " << int(event);
    }
    // The session really played: the snake moved and boards were rebuilt.
    EXPECT_GT(ticks, 10'000);
    EXPECT_GT(screen.rebuilds(), rebuilds + 10);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak,
                         ::testing::Values(std::pair{1u, 1.0}, std::pair{2u, 1.5}, std::pair{3u, 2.0},
                                           std::pair{4u, 1.25}));
