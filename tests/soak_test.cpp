// Long random sessions: a player mashing keys, buttons and menus on every
// board size, the clock ticking whenever it runs. After every event the board
// must look to the player exactly as the game believes it is.
#include <gtest/gtest.h>

#include "session_checks.h"

using namespace zv;
using session::Event;

class Soak : public ::testing::TestWithParam<unsigned> {};

TEST_P(Soak, RandomPlayNeverBreaksTheGame) {
    zorvane z(std::make_unique<session::SeededRandom>(GetParam()));
    z.Show();
    session::Checker checker;
    ASSERT_EQ(checker.check(z), "") << "after the first load";
    session::RandomPlayer player(GetParam());
    long ticks = 0;
    const long loads = z.loadCount();

    for (long step = 0; step < 60'000; ++step) {
        const auto [event, pick] = player.next(z);
        ticks += event == Event::Tick;
        session::play(z, event, pick);
        const std::string problem = checker.check(z);
        ASSERT_EQ(problem, "") << "step " << step << ", event " << int(event);
    }
    // The session really played: the snake moved and boards were rebuilt.
    EXPECT_GT(ticks, 10'000);
    EXPECT_GT(z.loadCount(), loads + 10);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u));
