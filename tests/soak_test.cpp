// Long random sessions: a player mashing keys, buttons and menus on every
// board size, the clock ticking whenever it runs. After every event the board
// must look to the player exactly as the game believes it is.
#include <gtest/gtest.h>

#include <random>

#include "session_checks.h"

using namespace zv;
using session::Event;

class Soak : public ::testing::TestWithParam<unsigned> {};

TEST_P(Soak, RandomPlayNeverBreaksTheGame) {
    zorvane z(std::make_unique<session::SeededRandom>(GetParam()));
    z.Show();
    session::Checker checker;
    ASSERT_EQ(checker.check(z), "") << "after the first load";
    std::mt19937 player(GetParam() * 7919u + 1);
    std::uniform_int_distribution<int> percent(0, 999);
    long ticks = 0;
    const long loads = z.loadCount();

    for (long step = 0; step < 60'000; ++step) {
        const int roll = percent(player);
        const unsigned pick = player();
        Event event = Event::ChooseSize;
        if (roll < 850) {
            // A stopped game waits for the player: press an arrow.
            event = z.Timer1().interval == 0 ? Event::Arrow : Event::Tick;
            ticks += event == Event::Tick;
        } else if (roll < 960) {
            event = Event::Arrow;
        } else if (roll < 968) {
            event = Event::P;
        } else if (roll < 972) {
            event = Event::OtherKey;
        } else if (roll < 980) {
            event = Event::ClickPause;
        } else if (roll < 988) {
            event = Event::ClickGameOver;
        } else if (roll < 992) {
            event = Event::OpenSpeed;
        } else if (roll < 996) {
            event = Event::ChooseSpeed;
        }
        session::play(z, event, pick);
        const std::string problem = checker.check(z);
        ASSERT_EQ(problem, "") << "step " << step << ", event " << int(event);
    }
    // The session really played: the snake moved and boards were rebuilt.
    EXPECT_GT(ticks, 10'000);
    EXPECT_GT(z.loadCount(), loads + 10);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u));
