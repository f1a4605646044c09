// The menu bar as every front end builds it, against the game's handlers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_game.h"
#include "window/keys.h"
#include "window/menus.h"

using namespace zv;

namespace {

// A game running to the right, ready for a menu.
void run(TestGame& g) {
    g.load();
    g.z.Form_KeyDown(keys::Right, 0);
}

}  // namespace

TEST(MenuBar, ShortcutsRunFromF1ToF12LeavingOutF10) {
    std::vector<Integer> shortcuts;
    for (const MenuTitle& title : menuTitles)
        for (const auto& item : title.items) shortcuts.push_back(item.shortcut);
    std::vector<Integer> expected;
    for (int n = 1; n <= 12; ++n)
        if (n != 10) expected.push_back(keys::function(n));
    EXPECT_EQ(shortcuts, expected);
}

// A Speed item sets the interval of the next start, a Size item the inner
// side of the next board; both stop the clock.
TEST(MenuBar, EveryItemHandsItsIndexToTheGame) {
    for (const MenuTitle& title : menuTitles)
        for (const auto& item : title.items) {
            SCOPED_TRACE(std::string(item.caption));
            TestGame g;
            run(g);
            (g.z.*title.chosen)(Integer(item.index));
            EXPECT_EQ(g.z.Timer1().interval, 0);
            if (title.title == description::speedTitle) {
                EXPECT_EQ(g.z.speed, item.index);
                EXPECT_TRUE(g.z.pause().shown);
                g.z.pause_Click();
                EXPECT_EQ(g.z.Timer1().interval, item.index);
            } else {
                EXPECT_EQ(g.z.boardsize, item.index + 2);
                EXPECT_EQ(g.z.rows, 50);  // the board on screen keeps its size
                EXPECT_TRUE(g.z.gameover().shown);
            }
        }
}

TEST(MenuBar, OpeningSpeedHoldsTheGameOpeningSizeDoesNotAndQuitEnds) {
    for (const MenuTitle& title : menuTitles) {
        SCOPED_TRACE(std::string(title.title));
        TestGame g;
        run(g);
        if (title.opened) (g.z.*title.opened)();
        if (title.clicked) (g.z.*title.clicked)();
        const bool holds = title.title == description::speedTitle;
        EXPECT_EQ(g.z.Timer1().interval == 0, holds);
        EXPECT_EQ(g.z.pause().shown, holds);
        EXPECT_EQ(g.z.ended(), title.title == description::quitTitle);
        EXPECT_EQ(title.items.empty(), title.clicked != nullptr);  // a command has no menu
    }
}
