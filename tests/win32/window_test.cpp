// The Win32 window's own translation, through real messages into the real
// window: the window sized to each board, the menu bar as Windows shows it,
// and a finger in the screen's pixels. What a player does and sees on every
// front end is in the scenarios (scenario_driver.cpp), menus escaped included.
#include <string>

#include "win32_support.h"
#include "game/paints.h"
#include "midend/key_rules.h"
#include "midend/swipe.h"
#include "window/description.h"
#include "window/menus.h"

namespace wt {
namespace {

using zv::description::templateFill;

// A Size item, then Game Over: the board is rebuilt in the same window, which
// grows or shrinks so that its client area is the board, wall ring and all.
TEST_F(Win32Test, EverySizeIsRebuiltInTheSameWindow) {
    open();
    const HWND first = hwnd();
    for (const auto& item : zv::description::sizeItems) {
        SCOPED_TRACE("side " + std::to_string(item.index + 2));
        key(WPARAM(item.shortcut));
        lineUpBoard(*random, item.index + 2);
        click(zv::Button::GameOver);
        ASSERT_EQ(game().boardsize, item.index + 2);
        EXPECT_EQ(hwnd(), first);
        const Picture picture(hwnd());
        const zv::Box inner = geometry().toDevice(zv::innerBox(game().innerWidth(), game().innerHeight()));
        EXPECT_EQ(picture.width, inner.width);
        EXPECT_EQ(picture.height, inner.height);
        const int cols = int(game().cols), rows = int(game().rows);
        for (const int n : {1, cols, cols * (rows - 1) + 1, cols * rows})
            EXPECT_EQ(picture.middle(geometry().cellBox(n)), templateFill) << "wall cell " << n;
        EXPECT_EQ(picture.middle(geometry().cellBox(headCell())), zv::paints::head);
    }
}

TEST_F(Win32Test, TheBarIsBuiltFromTheMenuTableWithTheKeysShown) {
    open();
    const auto wide = [](const std::string& s) { return std::wstring(s.begin(), s.end()); };
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

// Windows reports a finger in screen pixels: the window hands the screen its
// own device pixels, so at 200 % a finger that moved 24 of them is still in
// the dead zone, and one past twice the dead zone turns.
TEST_F(Win32Test, AFingerIsTakenInTheWindowsDevicePixels) {
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
    const int deadZone = int(zv::Swipe::deadZone * 2);
    finger(WM_POINTERDOWN, 200, 200);
    finger(WM_POINTERUPDATE, 200 + deadZone - 8, 200);
    EXPECT_EQ(screen().interval(), 0) << "still within the dead zone";
    finger(WM_POINTERUPDATE, 200 + deadZone, 200);
    EXPECT_EQ(game().direction, "right");
}

}  // namespace
}  // namespace wt
