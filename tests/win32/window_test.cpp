// The Win32 window's own translation: drawing, keys, buttons, focus, menus
// and Quit, through real messages into the real window.
#include <string>

#include "win32_support.h"
#include "midend/key_rules.h"
#include "midend/swipe.h"
#include "window/menus.h"

namespace wt {
namespace {

using zv::description::templateFill;
using Keys = Win32Test;
using Menus = Win32Test;
using Buttons = Win32Test;

std::wstring windowText(HWND hwnd) {
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    return text;
}

std::wstring wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// The board as the player sees it: the client area is the inner area; the
// wall ring's corners and a middle cell, and the head, each in its colour.
class Board : public Win32Test {
protected:
    void expectBoard() {
        SCOPED_TRACE("side " + std::to_string(game().boardsize));
        const Picture picture(hwnd());
        const zv::BoardGeometry& geometry = Win32Test::geometry();
        const zv::Box inner = geometry.toDevice(zv::innerBox(game().innerWidth(), game().innerHeight()));
        EXPECT_EQ(picture.width, inner.width);
        EXPECT_EQ(picture.height, inner.height);
        const int cols = int(game().cols), rows = int(game().rows);
        for (const int n : {1, cols, cols * (rows - 1) + 1, cols * rows, cols * (rows / 2) + 1})
            EXPECT_EQ(cellColour(picture, n), templateFill) << "wall cell " << n << " " << describe(cellColour(picture, n));
        EXPECT_EQ(cellColour(picture, headCell()), zv::paints::head);
        // Cell edges are crisp: just left of the head's box lies the background.
        const zv::Box head = geometry.cellBox(headCell());
        EXPECT_EQ(picture.at(head.x - 1, head.y + head.height / 2), zv::description::background);
    }
};
using Drawing = Board;

TEST_F(Drawing, TheFirstBoardShowsItsWallRingHeadAndFoodUnderTheScoreTitle) {
    open();
    expectBoard();
    const Picture picture(hwnd());
    ASSERT_NE(foodCell(), 0);
    EXPECT_EQ(cellColour(picture, foodCell()), zv::paints::food);
    EXPECT_EQ(windowText(hwnd()), wide(game().Caption()));
    EXPECT_NE(windowText(hwnd()), L"Zorvane");
}

// A Size item, then Game Over: the board is rebuilt at its new size in the
// same window, which grows or shrinks to fit it.
TEST_F(Drawing, EverySizeIsRebuiltInTheSameWindow) {
    open();
    const HWND first = hwnd();
    for (const auto& item : zv::description::sizeItems) {
        key(WPARAM(item.shortcut));
        ASSERT_TRUE(shown(window->gameoverButton()));
        lineUpBoard(*random, item.index + 2);
        click(window->gameoverButton());
        ASSERT_EQ(game().boardsize, item.index + 2);
        EXPECT_EQ(hwnd(), first);
        EXPECT_FALSE(shown(window->gameoverButton()));
        expectBoard();
    }
}

// Moved to a monitor at 150 %: the window, the board and the buttons are laid
// out again in that monitor's pixels.
TEST_F(Drawing, AMonitorOfAnotherScaleLaysTheWindowOutAgain) {
    open();
    key(VK_RIGHT);
    key('P');
    RECT place;
    GetWindowRect(hwnd(), &place);
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), LPARAM(&place));
    EXPECT_EQ(geometry().ratio(), 1.5);
    expectBoard();
    RECT button;
    GetWindowRect(window->pauseButton(), &button);
    const zv::Box expected = geometry().toDevice(zv::buttonBox(game().pause()));
    EXPECT_EQ(button.right - button.left, expected.width);
    EXPECT_EQ(button.bottom - button.top, expected.height);
}

TEST_F(Keys, ArrowsSteerAndTheHeadMovesOnScreen) {
    open();
    key(VK_RIGHT);
    EXPECT_EQ(game().direction, "right");
    EXPECT_EQ(interval(), int(game().speed));
    const int before = headCell();
    ticks(1);
    EXPECT_EQ(headCell(), before + 1);
    const Picture picture(hwnd());
    EXPECT_EQ(cellColour(picture, headCell()), zv::paints::head);
    EXPECT_EQ(cellColour(picture, before), zv::paints::body);
    key(VK_DOWN);
    EXPECT_EQ(game().direction, "down");
}

TEST_F(Keys, PPausesAndShowsPauseWhichResumes) {
    open();
    key(VK_UP);
    key('P');
    EXPECT_EQ(interval(), 0);
    ASSERT_TRUE(shown(window->pauseButton()));
    const Picture picture(hwnd());
    RECT place;
    GetWindowRect(window->pauseButton(), &place);
    MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&place), 2);
    const zv::Box expected = geometry().toDevice(zv::buttonBox(game().pause()));
    EXPECT_EQ(place.left, expected.x);
    EXPECT_EQ(place.top, expected.y);
    EXPECT_EQ(place.right - place.left, expected.width);
    // The button is drawn above the board: its face is not the board's orange.
    EXPECT_NE(picture.at(expected.x + expected.width / 2, expected.y + 3), zv::description::background);
    click(window->pauseButton());
    EXPECT_FALSE(shown(window->pauseButton()));
    EXPECT_EQ(interval(), int(game().speed));
    // The hidden button handed the keys back to the board.
    EXPECT_EQ(GetFocus(), hwnd());
    key(VK_LEFT);
    EXPECT_EQ(game().direction, "left");
}

// A finger on the board, as Windows reports it in screen pixels: the window
// hands the screen logical pixels, so at 200 % a finger that moved 24 pixels
// is still in the dead zone; past it, the swipe turns; a tap pauses.
TEST_F(Keys, AFingerSwipesAndTapsInTheBoardsLogicalPixels) {
    open();
    RECT place;
    GetWindowRect(hwnd(), &place);
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), LPARAM(&place));
    const auto finger = [&](UINT message, int x, int y) {
        POINT at{x, y};
        ClientToScreen(hwnd(), &at);
        PostMessageW(hwnd(), message, 1, MAKELPARAM(at.x, at.y));
        pump();
    };
    constexpr UINT down = 0x0246, update = 0x0245, up = 0x0247;
    const int deadZone = int(zv::Swipe::deadZone * 2);
    finger(down, 200, 200);
    finger(update, 200 + deadZone - 8, 200);
    EXPECT_EQ(interval(), 0) << "still within the dead zone";
    finger(update, 200 + deadZone, 200);
    EXPECT_EQ(game().direction, "right");
    EXPECT_NE(interval(), 0);
    finger(up, 200 + deadZone, 200);
    finger(down, 100, 100);
    finger(up, 102, 100);
    EXPECT_EQ(interval(), 0) << "a tap is P";
    EXPECT_TRUE(shown(window->pauseButton()));
}

TEST_F(Buttons, AFocusedButtonKeepsArrowsFromTheGameAndTabWalksGameOverFirst) {
    open();
    key(VK_RIGHT);
    key(VK_F8);
    key('P');
    ASSERT_TRUE(shown(window->pauseButton()) && shown(window->gameoverButton()));
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), window->gameoverButton());
    EXPECT_EQ(interval(), 0);
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), window->pauseButton());
    // A click on Pause while Game Over is shown hands the focus to Game Over.
    click(window->pauseButton());
    EXPECT_EQ(GetFocus(), window->gameoverButton());
    key(VK_UP);
    EXPECT_EQ(game().direction, "right");
    // The function keys still reach their menu items.
    key(VK_F3);
    EXPECT_EQ(game().speed, zv::description::speedItems[2].index);
    lineUpBoard(*random, 27);
    click(window->gameoverButton());
    EXPECT_EQ(GetFocus(), hwnd());
    key(VK_DOWN);
    EXPECT_EQ(game().direction, "down");
}

TEST_F(Menus, TheBarIsBuiltFromTheMenuTableWithTheKeysShown) {
    open();
    const HMENU bar = GetMenu(hwnd());
    ASSERT_EQ(GetMenuItemCount(bar), int(zv::menuTitles.size()));
    for (std::size_t i = 0; i < zv::menuTitles.size(); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(bar, UINT(i), text, 64, MF_BYPOSITION);
        EXPECT_EQ(text, wide(std::string(zv::menuTitles[i].title)));
        const HMENU menu = GetSubMenu(bar, int(i));
        ASSERT_EQ(GetMenuItemCount(menu) == -1 ? 0 : GetMenuItemCount(menu), int(zv::menuTitles[i].items.size()));
        for (std::size_t j = 0; j < zv::menuTitles[i].items.size(); ++j) {
            const auto& item = zv::menuTitles[i].items[j];
            GetMenuStringW(menu, UINT(j), text, 64, MF_BYPOSITION);
            EXPECT_EQ(text, wide(std::string(item.caption) + "\t" + zv::keyName(item.shortcut)));
        }
    }
}

TEST_F(Menus, OpeningSpeedPausesAndAnItemSetsTheInterval) {
    open();
    const HMENU speed = menuOf(hwnd(), zv::description::speedTitle);
    key(VK_LEFT);
    ASSERT_NE(interval(), 0);
    SendMessageW(hwnd(), WM_INITMENUPOPUP, WPARAM(speed), 1);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(window->pauseButton()));
    const auto& slow = zv::description::speedItems[4];
    choose(speed, 4);
    EXPECT_EQ(game().speed, slow.index);
    key(VK_LEFT);
    EXPECT_EQ(interval(), slow.index);
    // Opening Size raises nothing: the game goes on.
    SendMessageW(hwnd(), WM_INITMENUPOPUP, WPARAM(menuOf(hwnd(), zv::description::sizeTitle)), 1);
    EXPECT_EQ(interval(), slow.index);
    // A shortcut chooses its item without opening its menu first.
    key(VK_F1);
    EXPECT_EQ(game().speed, zv::description::speedItems[0].index);
    // Windows' own menu loop: Down opens Speed on its first item, three more
    // reach the fourth, Enter chooses it.
    key(VK_LEFT);
    ASSERT_NE(interval(), 0);
    barKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(game().speed, zv::description::speedItems[3].index);
    EXPECT_EQ(interval(), 0) << "opening Speed held the game";
}

TEST_F(Menus, QuitAndClosingEndTheWindow) {
    open();
    key(VK_RIGHT);
    const HWND quitting = hwnd();
    // Quit from the bar's own keys: right past Speed and Size, then Enter.
    barKeys({VK_RIGHT, VK_RIGHT, VK_RETURN});
    EXPECT_TRUE(window->ended());
    EXPECT_FALSE(IsWindow(quitting));
    EXPECT_EQ(interval(), 0);
    window.reset();

    open();
    const HWND closing = hwnd();
    PostMessageW(closing, WM_CLOSE, 0, 0);
    pump();
    EXPECT_TRUE(window->ended());
    EXPECT_FALSE(IsWindow(closing));
}

}  // namespace
}  // namespace wt
