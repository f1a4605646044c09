// A drawn menu bar under the mouse and the keys, over a real Screen: which
// menu is open, what is lit, and what reaches the game.
#include <gtest/gtest.h>

#include <memory>

#include "game/random_source.h"
#include "headless_screen.h"
#include "midend/drawn_menu_bar.h"

using namespace zv;

namespace {

using K = DrawnMenuBar::Key;

struct Bar : ::testing::Test {
    HeadlessScreen front{std::make_unique<SeededRandom>(1)};
    DrawnMenuBar menus{front.screen, menuTable()};
    Screen::Time now{};
    const int speed = 0, size = 1, quit = 2;
    void press(DrawnMenuBar::Key key) { EXPECT_TRUE(menus.key(now, key, Focus::Board)) << int(key); }
};

TEST_F(Bar, AltThenTheArrowsWalkTheBarAndTheItemsRoundAndEnterChooses) {
    ASSERT_EQ(menuTable()[std::size_t(quit)].items.size(), 0u);
    EXPECT_FALSE(menus.key(now, K::Down, Focus::Board));  // not active: the game's
    menus.altAlone();
    EXPECT_EQ(menus.title(), speed);
    press(K::Left);
    EXPECT_EQ(menus.title(), quit);  // round to the last
    press(K::Right);
    press(K::Down);  // opens with the first item lit
    EXPECT_EQ(menus.open(), speed);
    EXPECT_EQ(menus.item(), 0);
    EXPECT_EQ(menus.title(), speed);
    press(K::Up);
    EXPECT_EQ(menus.item(), int(menuTable()[0].items.size()) - 1);
    press(K::Right);  // the next menu opens, its first item lit
    EXPECT_EQ(menus.open(), size);
    EXPECT_EQ(menus.item(), 0);
    press(K::Right);  // onto the command: no menu open, the title lit
    EXPECT_EQ(menus.open(), -1);
    EXPECT_EQ(menus.title(), quit);
    press(K::Left);
    press(K::Choose);
    press(K::Down);  // the second size
    press(K::Choose);
    EXPECT_FALSE(menus.active());
    EXPECT_TRUE(front.screen.game().gameover().shown);  // a Size item holds the game for a new board
}

TEST_F(Bar, EscapeTabAndAltCloseAndOtherKeysAreSwallowedWhileTheBarIsActive) {
    menus.mouse(now, DrawnMenuBar::Mouse::Press, size, -1, Focus::Board);
    EXPECT_EQ(menus.item(), -1) << "none lit from the mouse";
    press(K::Other);  // not the game's P
    EXPECT_TRUE(menus.active());
    press(K::Close);
    EXPECT_FALSE(menus.active());
    menus.altAlone();
    menus.altAlone();  // Alt again gives the keys back
    EXPECT_FALSE(menus.active());
}

TEST_F(Bar, TheMouseOpensTogglesFollowsLightsAndChoosesAndAPressElsewhereCloses) {
    using M = DrawnMenuBar::Mouse;
    menus.mouse(now, M::Enter, size, -1, Focus::Board);  // nothing open: hovering opens nothing
    EXPECT_EQ(menus.open(), -1);
    menus.mouse(now, M::Press, speed, -1, Focus::Board);
    EXPECT_EQ(menus.open(), speed);
    EXPECT_EQ(front.screen.interval(), 0);  // Speed holds the game
    menus.mouse(now, M::Enter, size, -1, Focus::Board);
    EXPECT_EQ(menus.open(), size);
    menus.mouse(now, M::Enter, quit, -1, Focus::Board);  // a command has no menu to open
    EXPECT_EQ(menus.open(), size);
    menus.mouse(now, M::Point, size, 3, Focus::Board);
    EXPECT_EQ(menus.item(), 3);
    menus.mouse(now, M::Point, speed, 1, Focus::Board);  // not the open menu's
    EXPECT_EQ(menus.item(), 3);
    menus.mouse(now, M::Press, size, -1, Focus::Board);  // its own title again: closed
    EXPECT_FALSE(menus.active());
    menus.mouse(now, M::Press, size, -1, Focus::Board);
    menus.mouse(now, M::Away, -1, -1, Focus::Board);
    EXPECT_FALSE(menus.active());
    EXPECT_FALSE(front.screen.game().gameover().shown);  // nothing chosen
    menus.mouse(now, M::Choose, size, 0, Focus::Board);  // an item of a closed menu is nobody's
    EXPECT_FALSE(front.screen.game().gameover().shown);
    menus.mouse(now, M::Press, size, -1, Focus::Board);
    menus.mouse(now, M::Choose, size, 0, Focus::Board);
    EXPECT_FALSE(menus.active());
    EXPECT_TRUE(front.screen.game().gameover().shown);
    menus.mouse(now, M::Click, quit, -1, Focus::Board);
    EXPECT_TRUE(front.screen.ended());
}

}  // namespace
