// Long random sessions: a player mashing keys, buttons and menus on every
// board size, the clock ticking whenever it runs. Whatever the order of
// events, nothing may throw and the game's state must stay whole.
#include <gtest/gtest.h>

#include <random>

#include "game/state.h"
#include "window/description.h"
#include "window/keys.h"

using namespace zv;

namespace {

// The game's draws from a fixed seed, so a failing session can be replayed.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(unsigned seed) { engine_.seed(seed); }
    void seedFromTimeOfDay() override {}
    float draw() override { return float(engine_() >> 8) * 0x1p-24f; }

private:
    std::mt19937 engine_;
};

void expectWhole(const zorvane& z, long step) {
    SCOPED_TRACE("step " + std::to_string(step));
    ASSERT_TRUE(z.loaded());
    ASSERT_EQ(z.Block().count(), int(z.rows * z.cols) + 1);
    ASSERT_GE(z.headx, 1);
    ASSERT_LE(z.headx, z.cols);
    ASSERT_GE(z.heady, 1);
    ASSERT_LE(z.heady, z.rows);
    ASSERT_GE(z.headpos, 0);
    ASSERT_LE(z.headpos, zorvane::trailLength);
    ASSERT_GE(z.tailpos, 0);
    ASSERT_LE(z.tailpos, zorvane::trailLength);
    ASSERT_FALSE(z.Block().visible(0));
    ASSERT_GE(z.best, std::floor(z.score));
    ASSERT_GE(z.levelpoints, 0);
    ASSERT_EQ(z.Caption().rfind("Score:  ", 0), 0u) << z.Caption();
}

}  // namespace

class Soak : public ::testing::TestWithParam<unsigned> {};

TEST_P(Soak, RandomPlayNeverBreaksTheGame) {
    zorvane z(std::make_unique<SeededRandom>(GetParam()));
    z.Show();
    std::mt19937 player(GetParam() * 7919u + 1);
    std::uniform_int_distribution<int> percent(0, 999);
    const Integer arrows[] = {keys::Left, keys::Up, keys::Right, keys::Down};
    long ticks = 0;
    long loads = z.loadCount();

    for (long step = 0; step < 200'000; ++step) {
        const int roll = percent(player);
        if (roll < 850) {
            if (z.Timer1().interval == 0) {
                // A stopped game waits for the player: press an arrow.
                z.Form_KeyDown(arrows[player() % 4], 0);
            } else {
                z.Timer1_Timer();
                ++ticks;
            }
        } else if (roll < 960) {
            z.Form_KeyDown(arrows[player() % 4], 0);
        } else if (roll < 968) {
            z.Form_KeyDown(keys::P, 0);
        } else if (roll < 972) {
            z.Form_KeyDown(Integer(65 + player() % 26), 0);
        } else if (roll < 980) {
            if (z.pause().shown) z.pause_Click();
        } else if (roll < 988) {
            if (z.gameover().shown) z.gameover_Click();
        } else if (roll < 992) {
            z.mnuSpeed_Click();
        } else if (roll < 996) {
            const auto& item = description::speedItems[player() % description::speedItems.size()];
            z.mnuSpd_Click(Integer(item.index));
        } else {
            const auto& item = description::sizeItems[player() % description::sizeItems.size()];
            z.mnuSz_Click(Integer(item.index));
        }
        z.Block().clearChanges();
        expectWhole(z, step);
        if (HasFatalFailure()) return;
    }
    // The session really played: the snake moved and boards were rebuilt.
    EXPECT_GT(ticks, 10'000);
    EXPECT_GT(z.loadCount(), loads + 10);
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u));
