#pragma once

// The Win32 window's tests: the real window on Wine, a scripted random source,
// an alarm the test sets off by hand, real messages, and the pixels read back.

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/paints.h"
#include "board_script.h"
#include "screen_test_peer.h"
#include "window/description.h"
#include "window/menus.h"
#include "win32/game_window.h"
#include "win32/message_loop.h"
#include "hand_alarm.h"

namespace wt {

using board_script::keepFood;
using board_script::lineUpBoard;

// The client area's pixels as the window last painted them, children included.
class Picture {
public:
    explicit Picture(HWND hwnd) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT client;
        GetClientRect(hwnd, &client);
        width = client.right;
        height = client.bottom;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC screen = GetDC(hwnd);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels.assign(p, p + std::size_t(width) * std::size_t(height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(hwnd, screen);
    }
    zv::Rgb at(int x, int y) const {
        const std::uint32_t v = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
        return {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
    }
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

inline std::string describe(zv::Rgb c) {
    std::string text = "(";
    text.append(std::to_string(c.red)).append(",").append(std::to_string(c.green)).append(",");
    return text.append(std::to_string(c.blue)).append(")");
}

// A title's place on the bar, as the table has it, and its menu.
inline int titlePlace(std::string_view title) {
    for (std::size_t t = 0; t < zv::menuTitles.size(); ++t)
        if (zv::menuTitles[t].title == title) return int(t);
    ADD_FAILURE() << "no title " << title;
    return -1;
}
inline HMENU menuOf(HWND hwnd, std::string_view title) { return GetSubMenu(GetMenu(hwnd), titlePlace(title)); }

// Opens the window on screen with a scripted random source and a hand alarm.
class Win32Test : public ::testing::Test {
protected:
    void TearDown() override { window.reset(); }

    void open() {
        auto source = std::make_unique<ScriptedRandom>();
        random = source.get();
        lineUpBoard(*random, 50);
        auto hand = std::make_unique<HandAlarm>();
        alarm = hand.get();
        window = std::make_unique<zv::GameWindow>(std::move(source), std::move(hand));
        window->show(SW_SHOWNORMAL);
        pump();
    }

    zv::zorvane& game() { return zv::ScreenTestPeer::game(window->screen()); }
    const zv::BoardGeometry& geometry() { return window->screen().geometry(); }
    HWND hwnd() { return window->hwnd(); }
    int interval() { return window->screen().interval(); }
    bool shown(HWND button) { return IsWindowVisible(button) != FALSE; }

    void pump() { zv::pumpMessages(*window); }
    // A key as the keyboard sends it: to whatever holds the focus, through the message loop.
    void key(WPARAM virtualKey) {
        const HWND target = GetFocus() ? GetFocus() : hwnd();
        const LPARAM scan = LPARAM(MapVirtualKeyW(UINT(virtualKey), MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(target, WM_KEYDOWN, virtualKey, scan | 1);
        PostMessageW(target, WM_KEYUP, virtualKey, scan | 1 | (LPARAM(3) << 30));
        pump();
    }
    void click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        pump();
    }
    // A menu choice as the bar sends it: the item's place and its menu (the
    // bar itself for a title without items).
    void choose(HMENU menu, int item) {
        PostMessageW(hwnd(), WM_MENUCOMMAND, WPARAM(item), LPARAM(menu));
        pump();
    }
    // Keys for Windows' own menu loop, after the bar got the keys as F10 gives them.
    void barKeys(std::initializer_list<WPARAM> keys) {
        PostMessageW(hwnd(), WM_SYSCOMMAND, SC_KEYMENU, 0);
        for (const WPARAM k : keys) PostMessageW(hwnd(), WM_KEYDOWN, k, 1);
        pump();
    }
    // Ticks on which no food is eaten and none is placed, each at its time.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            random->push(keepFood);
            ASSERT_TRUE(alarm->fire());
        }
        pump();
    }
    // The colour at the middle of board cell n.
    zv::Rgb cellColour(const Picture& picture, int n) {
        const zv::Box box = geometry().cellBox(n);
        return picture.at(box.x + box.width / 2, box.y + box.height / 2);
    }
    int cellNumber(int x, int y) { return x + int(game().cols) * (y - 1); }
    int headCell() { return cellNumber(int(game().headx), int(game().heady)); }
    int foodCell() {
        const zv::BlockArray& cells = game().Block();
        for (int n = 1; n < cells.count(); ++n)
            if (cells.visible(n) && cells.fill(n) == zv::paints::food) return n;
        return 0;
    }

    std::unique_ptr<zv::GameWindow> window;
    ScriptedRandom* random = nullptr;
    HandAlarm* alarm = nullptr;
};

}  // namespace wt
