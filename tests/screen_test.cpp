// The mid-end's own rules, through the headless front end: where keys go,
// which clicks count, the clock's one wake-up, and the end.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <tuple>

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
    EXPECT_FALSE(mid().key(0ms, named(keys::Up), {}, Focus::Elsewhere)) << "an arrow on the menu bar";
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

TEST_F(ScreenRules, TabGoesRoundTheShownButtonsAndIsAnOrdinaryKeyWithNone) {
    const KeyInput tab = named(keys::Tab);
    mid().key(0ms, named(keys::Up), {}, Focus::Board);
    screen->focus = Focus::Nothing;  // to see whether the focus is moved at all
    EXPECT_TRUE(mid().key(0ms, tab, {}, Focus::Board)) << "the game's, with no button to go to";
    EXPECT_EQ(screen->focus, Focus::Nothing);
    mid().key(0ms, named(keys::P), {}, Focus::Board);
    ASSERT_TRUE(screen->pause.shown);
    EXPECT_TRUE(mid().key(0ms, tab, {}, Focus::Board));
    EXPECT_EQ(screen->focus, Focus::Pause);
    EXPECT_TRUE(mid().key(0ms, tab, {}, Focus::Pause));
    EXPECT_EQ(screen->focus, Focus::Board) << "round to the board";
    EXPECT_TRUE(mid().key(0ms, tab, {.shift = true}, Focus::Board));
    EXPECT_EQ(screen->focus, Focus::Pause) << "Shift+Tab goes back";
    EXPECT_EQ(mid().interval(), 0) << "the game never saw it: any key would start the clock";
}

// A new ratio moves the buttons' device pixels: both are placed again where
// they stood, and only when the ratio really changed.
TEST_F(ScreenRules, ANewRatioPlacesBothButtonsAgainAsTheyStood) {
    mid().key(0ms, named(keys::Up), {}, Focus::Board);
    mid().key(0ms, named(keys::P), {}, Focus::Board);
    ASSERT_TRUE(screen->pause.shown);
    const ButtonView pause = screen->pause, gameover = screen->gameover;
    const int placed = screen->placements;
    ASSERT_TRUE(mid().setRatio(2));
    EXPECT_EQ(screen->placements, placed + 2);
    EXPECT_EQ(screen->pause, pause);
    EXPECT_EQ(screen->gameover, gameover);
    EXPECT_FALSE(mid().setRatio(2));
    EXPECT_EQ(screen->placements, placed + 2) << "the same ratio moves nothing";
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
    // Another arrow between the ticks, or one held down: the countdown runs on.
    mid().key(3 * first + first / 2, named(keys::Left), {}, Focus::Board);
    EXPECT_EQ(*screen->wakeUp, 4 * first);

    // P stops the clock: no wake-up any more, nor after P again.
    mid().key(3 * first + first / 2, named(keys::P), {}, Focus::Board);
    EXPECT_FALSE(screen->wakeUp);
    mid().key(3 * first + first / 2, named(keys::P), {}, Focus::Board);
    EXPECT_FALSE(screen->wakeUp);
}

TEST_F(ScreenRules, ATicksScoreWaitsForTheTitlesTurnAndShowsAtOnceWhenTheGameStands) {
    mid().key(0ms, named(keys::function(1)), {}, Focus::Board);  // Insane, 1 ms
    mid().key(0ms, named(keys::Up), {}, Focus::Board);
    ASSERT_EQ(screen->title, screen->game().Caption());
    random->repeat(TestGame::keep, 20);
    const std::string first = screen->title;
    ASSERT_TRUE(screen->tick());
    ASSERT_TRUE(screen->tick());
    EXPECT_NE(screen->game().Caption(), first);
    EXPECT_EQ(screen->title, first) << "a tick's score waits for the title's turn";
    mid().key(2ms, named(keys::Left), {}, Focus::Board);
    EXPECT_EQ(screen->title, first) << "a key that changed no score leaves it to its turn";

    // Left into the wall, well within the turn: the game stands, and its
    // last score shows with the crash.
    while (screen->tick()) {}
    ASSERT_EQ(mid().interval(), 0);
    ASSERT_LT(screen->now, TitlePace::gap);
    EXPECT_EQ(screen->title, screen->game().Caption());

    // A new game's nought, changed by the click, shows at once.
    const std::string crashed = screen->title;
    board_script::lineUpBoard(*random, 12, {2, 2});
    mid().click(screen->now, Button::GameOver);
    EXPECT_NE(screen->game().Caption(), crashed);
    EXPECT_EQ(screen->title, screen->game().Caption());
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

// Steering by finger: the dead zone, the dominant axis, several turns in one
// touch, a tap, and a touch the system took back.
TEST(Swipe, TurnsAsTheFingerCrossesTheDeadZoneAndATapIsP) {
    const double d = Swipe::deadZone;
    Swipe swipe;
    swipe.down(100, 100);
    EXPECT_EQ(swipe.move(100 + d - 1, 100), std::nullopt) << "inside the dead zone";
    EXPECT_EQ(swipe.move(100 + d / 2, 100 - d), std::optional(keys::Up)) << "the dominant axis wins";
    // The finger goes on from where it turned: right, then down, in one touch.
    EXPECT_EQ(swipe.move(100 + d / 2 + d, 100 - d + 1), std::optional(keys::Right));
    EXPECT_EQ(swipe.move(100 + d / 2 + d, 100 - d + 1 + d), std::optional(keys::Down));
    EXPECT_EQ(swipe.up(100 + d / 2 + d, 100 - d + 1 + d), std::nullopt) << "a lift after turning is no tap";

    swipe.down(10, 10);
    EXPECT_EQ(swipe.move(10 + d, 10 + d), std::nullopt) << "exactly diagonal waits for the next move";
    EXPECT_EQ(swipe.up(10 - d - 1, 10 + d), std::optional(keys::Left)) << "a turn made as the finger lifts";

    swipe.down(10, 10);
    EXPECT_EQ(swipe.up(10 + d - 1, 10), std::optional(keys::P)) << "a tap may wobble inside the dead zone";
    swipe.down(10, 10);
    swipe.cancel();
    EXPECT_EQ(swipe.up(10, 10), std::nullopt) << "taken back by the system";
    EXPECT_EQ(swipe.move(100, 10), std::nullopt) << "no finger down";
}

// A swipe is the arrow itself: it starts the game the moment it turns, the
// game refuses a swipe back the way the snake came, and a tap pauses.
TEST_F(ScreenRules, ASwipeSteersThroughTheKeyRulesAndATapPauses) {
    const double d = Swipe::deadZone;
    // Touching the board while Pause holds the keys hands them to the board.
    screen->focus = Focus::Pause;
    mid().touch(0ms, Screen::Touch::Down, 50, 50);
    EXPECT_EQ(screen->focus, Focus::Board);
    mid().touch(0ms, Screen::Touch::Move, 50 + d, 50);
    EXPECT_EQ(screen->game().direction, "right") << "turned before the finger lifts";
    EXPECT_NE(mid().interval(), 0);
    mid().touch(0ms, Screen::Touch::Move, 50, 50);
    EXPECT_EQ(screen->game().direction, "right") << "the way back is refused, as Left would be";
    mid().touch(0ms, Screen::Touch::Up, 50, 50);

    mid().touch(0ms, Screen::Touch::Down, 50, 50);
    mid().touch(0ms, Screen::Touch::Up, 51, 49);
    EXPECT_EQ(mid().interval(), 0) << "a tap is P";
    EXPECT_TRUE(screen->pause.shown);

    // A touch that begins on the shown Pause is the button's, to its end.
    const zv::Box onPause = screen->pause.place;
    EXPECT_FALSE(mid().touch(0ms, Screen::Touch::Down, onPause.x + 1, onPause.y + 1));
    EXPECT_FALSE(mid().touch(0ms, Screen::Touch::Up, 50, 50)) << "even once off the button";
    EXPECT_TRUE(screen->pause.shown) << "it was no tap";
    EXPECT_TRUE(mid().touch(0ms, Screen::Touch::Down, 50, 50));
    // A finger in device pixels at 200 %: the dead zone is twice as many of them.
    ASSERT_TRUE(mid().setRatio(2));
    mid().touchDevice(0ms, Screen::Touch::Down, 100, 100);
    mid().touchDevice(0ms, Screen::Touch::Move, 100, 100 + 2 * d - 2);
    EXPECT_EQ(mid().interval(), 0) << "still inside the dead zone";
    mid().touchDevice(0ms, Screen::Touch::Move, 100, 100 + 2 * d);
    EXPECT_EQ(screen->game().direction, "down");
    EXPECT_NE(mid().interval(), 0);
}

// One touch drawn as an L before the snake moves (heading right: up, then
// left) would turn it back into its neck: the second turn waits for the
// tick and is made a cell on. Out of sight a running game holds as P does.
TEST_F(ScreenRules, ASwipesSecondTurnWithinOneTickWaitsAndAHiddenWindowPauses) {
    const double d = Swipe::deadZone;
    random->repeat(TestGame::keep, 4);
    mid().hidden(0ms);
    EXPECT_FALSE(screen->pause.shown) << "a game not yet started is left alone";
    mid().key(0ms, named(keys::Right), {}, Focus::Board);
    ASSERT_TRUE(screen->tick());
    const double x = screen->game().headx, y = screen->game().heady;
    for (const auto& [phase, dx, dy] : {std::tuple{Screen::Touch::Down, 0.0, 0.0}, {Screen::Touch::Move, 0.0, -d},
                                        {Screen::Touch::Move, -d, -d}, {Screen::Touch::Up, -d, -d}})
        mid().touch(screen->now, phase, 50 + dx, 50 + dy);
    ASSERT_TRUE(screen->tick() && screen->tick());
    EXPECT_EQ(std::pair(screen->game().headx, screen->game().heady), std::pair(x - 1, y - 1)) << "up, then left";
    EXPECT_EQ(screen->game().direction, "left");
    mid().hidden(screen->now);
    EXPECT_TRUE(screen->pause.shown && mid().interval() == 0 && !screen->wakeUp);
    mid().key(screen->now, named(keys::Down), {}, Focus::Board);
    EXPECT_GT(mid().interval(), 0) << "a key resumes it, as after P";
}

// The bar a front end builds: each item's function key, pressed anywhere,
// does what choosing the item does.
TEST(MenuBar, EachShortcutInTheTableChoosesItsItem) {
    const auto bar = menuTable();
    int shortcuts = 0;
    for (std::size_t t = 0; t < bar.size(); ++t)
        for (std::size_t i = 0; i < bar[t].items.size(); ++i) {
            SCOPED_TRACE(std::string(bar[t].title) + " " + std::string(bar[t].items[i].caption));
            const int f = bar[t].items[i].functionKey;
            if (f == 0) continue;
            ++shortcuts;
            HeadlessScreen byKey(std::make_unique<SeededRandom>(1), 1, 12);
            HeadlessScreen byMenu(std::make_unique<SeededRandom>(1), 1, 12);
            byKey.screen.key(0ms, named(keys::function(f)), {}, Focus::Pause);
            byMenu.screen.menuChosen(0ms, int(t), int(i), Focus::Pause);
            EXPECT_EQ(byKey.game().speed, byMenu.game().speed);
            EXPECT_EQ(byKey.game().boardsize, byMenu.game().boardsize);
            EXPECT_EQ(byKey.game().loadCount(), byMenu.game().loadCount());
            EXPECT_EQ(byKey.pause.shown, byMenu.pause.shown);
        }
    EXPECT_GT(shortcuts, 0);
    EXPECT_EQ(HeadlessScreen(std::make_unique<SeededRandom>(1)).bar.size(), bar.size());
}

// A window wider or taller than the room a screen leaves it shrinks to fit,
// keeping its shape, and never grows past its own size.
TEST(Fit, TheWindowShrinksToTheRoomKeepingItsShapeAndNeverGrows) {
    EXPECT_EQ(fitScale(400, 300, 800, 600), 1);
    EXPECT_DOUBLE_EQ(fitScale(400, 300, 200, 600), 0.5);
    EXPECT_DOUBLE_EQ(fitScale(400, 300, 400, 150), 0.5);
    for (const double none : {0.0, -1.0, std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_EQ(fitScale(400, 300, none, none), 1);
}

// On a phone the board is drawn at the screen's ratio times the fit, so its
// cells stay on whole device pixels, and a new board is fitted as well.
TEST(Fit, TheScreenDrawsTheBoardAtTheFittedRatioAndFitsEachNewBoard) {
    HeadlessScreen phone(std::make_unique<SeededRandom>(3), 3, 100);
    const Box inner = phone.geometry().toLogical({0, 0, phone.width(), phone.height()});
    const double chrome = 19, room = 390;
    ASSERT_GT(inner.width, room) << "the window is wider than a phone";
    EXPECT_TRUE(phone.screen.setRoom(room, 844, chrome));
    const double fit = phone.screen.fit();
    EXPECT_DOUBLE_EQ(fit, fitScale(inner.width, inner.height + chrome, room, 844));
    EXPECT_DOUBLE_EQ(phone.geometry().ratio(), 3 * fit);
    EXPECT_LE(phone.width(), int(room * 3)) << "the picture fits the phone's device pixels";
    EXPECT_TRUE(phone.matchesWholeRepaint());
    EXPECT_FALSE(phone.screen.setRoom(room, 844, chrome)) << "nothing new";

    phone.screen.key({}, KeyInput{KeyInput::Kind::Named, std::uint32_t(keys::function(7))}, {}, Focus::Board);  // 10x10
    phone.screen.click({}, Button::GameOver);
    ASSERT_LT(phone.game().boardsize, 20) << "the new board is the small one";
    EXPECT_DOUBLE_EQ(phone.screen.fit(), fit);
    EXPECT_DOUBLE_EQ(phone.geometry().ratio(), 3 * fit);
    EXPECT_LE(phone.width(), int(room * 3));
    EXPECT_TRUE(phone.matchesWholeRepaint());
    EXPECT_TRUE(phone.screen.setRoom(0, 0, chrome)) << "room enough again";
    EXPECT_DOUBLE_EQ(phone.geometry().ratio(), 3);
}
