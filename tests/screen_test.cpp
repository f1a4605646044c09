// The mid-end's own rules, through the headless front end: where keys go,
// which clicks count, the clock's one wake-up, and the end.
#include <gtest/gtest.h>

#include <chrono>

#include "headless_screen.h"
#include "test_game.h"
#include "window/keys.h"

using namespace zv;
using namespace std::chrono_literals;

namespace {

KeyInput named(Integer code) { return {KeyInput::Kind::Named, std::uint32_t(code)}; }

}  // namespace

// A 12-cell board whose every draw is lined up before the screen starts.
class ScreenRules : public ::testing::Test {
protected:
    ScreenRules() : random(new ScriptedRandom) {
        board_script::lineUpBoard(*random, 12, {2, 2});
        screen = std::make_unique<HeadlessScreen>(std::unique_ptr<RandomSource>(random), 1, 12);
    }
    ScriptedRandom* random;
    std::unique_ptr<HeadlessScreen> screen;
    Screen& mid() { return screen->screen; }
};

TEST_F(ScreenRules, AFocusedButtonTakesOnlyTheMenusShortcutsAndAHiddenOneNoClick) {
    EXPECT_FALSE(mid().key(0ms, named(keys::Up), {}, Focus::Pause)) << "an arrow on a focused button";
    EXPECT_EQ(mid().interval(), 0);
    EXPECT_TRUE(mid().key(0ms, named(keys::function(5)), {}, Focus::Pause)) << "F5 chooses Slow from anywhere";
    EXPECT_EQ(screen->game().speed, 250);
    EXPECT_TRUE(screen->pause.shown) << "a Speed item holds the game";
    EXPECT_FALSE(mid().key(0ms, {KeyInput::Kind::Modifier}, {}, Focus::Board)) << "Shift alone reaches nothing";

    mid().click(0ms, Button::GameOver);  // hidden: nothing happens
    EXPECT_TRUE(screen->pause.shown);
    mid().click(0ms, Button::Pause);
    EXPECT_FALSE(screen->pause.shown);
    EXPECT_EQ(mid().interval(), 250);
    EXPECT_EQ(screen->focus, Focus::Board) << "the hidden Pause hands the keys back to the board";
}

TEST_F(ScreenRules, OneWakeUpIsKeptAndTicksDueBeforeAnEventRunFirst) {
    EXPECT_FALSE(screen->wakeUp) << "a stopped clock asks for no wake-up";
    mid().key(0ms, named(keys::function(1)), {}, Focus::Board);  // Insane, 1 ms
    ASSERT_TRUE(mid().key(0ms, named(keys::Up), {}, Focus::Board));
    ASSERT_TRUE(screen->wakeUp);
    const auto first = *screen->wakeUp;
    EXPECT_EQ(first, 1ms);

    // A key three intervals later: the three ticks happen before it, and the
    // wake-up moves on past them.
    random->repeat(TestGame::keep, 3);
    const Integer y = screen->game().heady;
    mid().key(3 * first, named(keys::Up), {}, Focus::Board);
    EXPECT_EQ(screen->game().heady, y - 3);
    EXPECT_EQ(*screen->wakeUp, 4 * first);

    // P stops the clock: no wake-up any more.
    mid().key(3 * first, named(keys::P), {}, Focus::Board);
    EXPECT_FALSE(screen->wakeUp);
}

TEST_F(ScreenRules, QuitEndsTheSurfaceAndNothingReachesTheGameAfter) {
    mid().key(0ms, named(keys::Up), {}, Focus::Board);
    mid().menuCommand(0ms, 2, Focus::Board);  // Quit
    EXPECT_TRUE(screen->ended);
    EXPECT_FALSE(screen->wakeUp);
    const auto load = screen->game().loadCount();
    EXPECT_FALSE(mid().key(1s, named(keys::Left), {}, Focus::Board));
    mid().menuChosen(1s, 1, 0, Focus::Board);
    EXPECT_EQ(mid().wake(1s), 0);
    EXPECT_FALSE(mid().setRatio(2));
    EXPECT_EQ(screen->game().loadCount(), load);
}
