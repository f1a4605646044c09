#pragma once

// The Win32 window's tests: the real window on Wine, a scripted random source,
// an alarm the test sets off by hand, real messages, and the pixels read back.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board_script.h"
#include "game/rgb.h"
#include "game/state.h"
#include "hand_alarm.h"
#include "midend/menu_table.h"
#include "scripted_random.h"
#include "win32/game_window.h"
#include "win32/message_loop.h"

namespace zv {

// The window's parts, for its tests.
class GameWindowTestPeer {
public:
    static HWND hwnd(const GameWindow& window) { return window.hwnd_; }
    static HWND button(const GameWindow& window, Button button) {
        return button == Button::Pause ? window.parts_.pause : window.parts_.gameover;
    }
    static const Screen& screen(const GameWindow& window) { return window.screen_; }
};

}  // namespace zv

namespace wt {

using board_script::keepFood;
using board_script::lineUpBoard;
using Peer = zv::GameWindowTestPeer;

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
    // The middle of a box of the picture.
    zv::Rgb middle(const zv::Box& box) const { return at(box.x + box.width / 2, box.y + box.height / 2); }
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
    const auto bar = zv::menuTable();
    for (std::size_t t = 0; t < bar.size(); ++t)
        if (bar[t].title == title) return int(t);
    ADD_FAILURE() << "no title " << title;
    return -1;
}
inline HMENU menuOf(HWND hwnd, std::string_view title) { return GetSubMenu(GetMenu(hwnd), titlePlace(title)); }

// A menu loop still running when the test's keys are spent.
inline bool stuckInMenu = false;
inline void CALLBACK endStuckMenu(HWND, UINT, UINT_PTR, DWORD) {
    stuckInMenu = true;
    EndMenu();
}

// The real window on a scripted random source and a hand alarm, handed the
// messages Windows would send it, through the program's own message loop.
class Win32Window {
public:
    void open(std::unique_ptr<ScriptedRandom> source) {
        auto hand = std::make_unique<HandAlarm>();
        alarm = hand.get();
        window = std::make_unique<zv::GameWindow>(std::move(source), std::move(hand));
        window->show(SW_SHOWNORMAL);
        pump();
    }

    HWND hwnd() const { return Peer::hwnd(*window); }
    HWND button(zv::Button which) const { return Peer::button(*window, which); }
    const zv::Screen& screen() const { return Peer::screen(*window); }
    const zv::zorvane& game() const { return screen().game(); }
    const zv::BoardGeometry& geometry() const { return screen().geometry(); }

    void pump() { zv::pumpMessages(*window); }
    // A key as the keyboard sends it: to whatever holds the focus, through
    // the message loop, with Shift held down when asked.
    void key(WPARAM virtualKey, bool shift = false) {
        BYTE held[256];
        GetKeyboardState(held);
        held[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(held);
        const HWND target = GetFocus() ? GetFocus() : hwnd();
        const LPARAM scan = LPARAM(MapVirtualKeyW(UINT(virtualKey), MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(target, WM_KEYDOWN, virtualKey, scan | 1);
        PostMessageW(target, WM_KEYUP, virtualKey, scan | 1 | (LPARAM(3) << 30));
        pump();
        held[VK_SHIFT] = 0;
        SetKeyboardState(held);
    }
    void click(zv::Button which) {
        SendMessageW(button(which), BM_CLICK, 0, 0);
        pump();
    }
    // Keys for Windows' own menu loop, after the bar got the keys as F10 gives them.
    // The window ends the loop on Escape in an open menu, where Windows would
    // leave the bar holding the keys: a loop that outlives its keys would hold
    // the test for ever, but for a timer that ends it and fails the test.
    void barKeys(const std::vector<WPARAM>& keys) {
        stuckInMenu = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 5000, endStuckMenu);
        PostMessageW(hwnd(), WM_SYSCOMMAND, SC_KEYMENU, 0);
        for (const WPARAM k : keys) PostMessageW(hwnd(), WM_KEYDOWN, k, 1);
        pump();
        KillTimer(nullptr, timer);
        EXPECT_FALSE(stuckInMenu) << "the menu loop outlived its keys";
    }

    std::unique_ptr<zv::GameWindow> window;
    HandAlarm* alarm = nullptr;
};

// Opens the window on screen on a scripted board of side 50.
class Win32Test : public ::testing::Test, public Win32Window {
protected:
    void TearDown() override { window.reset(); }

    void open() {
        auto source = std::make_unique<ScriptedRandom>();
        random = source.get();
        lineUpBoard(*random, 50);
        Win32Window::open(std::move(source));
    }
    // Ticks on which no food is eaten and none is placed, each at its time.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            random->push(keepFood);
            ASSERT_TRUE(alarm->fire());
        }
        pump();
    }
    int headCell() { return int(game().headx) + int(game().cols) * (int(game().heady) - 1); }

    ScriptedRandom* random = nullptr;
};

}  // namespace wt
