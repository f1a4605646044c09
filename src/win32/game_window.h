#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "midend/alarm.h"
#include "midend/pixel_canvas.h"
#include "midend/screen.h"

namespace zv {

// The game's one window on Win32, a surface over the mid-end. Its client area
// is the board's picture; the two buttons are native push buttons above it.
// Every message becomes the screen's event for it, with the alarm's time and
// the part of the window that holds the keys.
class GameWindow final : public PictureSurface {
public:
    GameWindow(RandomPtr random, std::unique_ptr<Alarm> alarm);
    ~GameWindow() override;
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // True once Quit was chosen or the window was closed.
    bool ended() const { return hwnd_ == nullptr; }

    void show(int how);
    // Takes a message the loop got before it is dispatched: a focused
    // button's keys that the screen takes (Tab, a menu's shortcut). True
    // when it was handled.
    bool preTranslate(MSG& msg);

    // The surface.
    bool layOut(const Box& inner, int width, int height) override;
    void present(std::span<const Box> painted) override;
    void placeButton(Button button, const ButtonView& view) override;
    void setTitle(const std::string& title) override;
    void buildMenus(std::span<const MenuBarTitle> bar) override;
    void wakeAt(std::optional<Time> due) override { alarm_->wakeAt(due); }
    void moveFocus(Focus focus) override;
    void end() override { DestroyWindow(hwnd_); }

private:
    // The tests and the tick-rate benchmark reach its parts through peers of their own.
    friend class GameWindowTestPeer;
    friend class GameWindowBenchPeer;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool key(WPARAM virtualKey, Focus holder);
    void touch(Screen::Touch phase, LPARAM lParam);
    void fitFont();
    Focus partOf(HWND window) const;

    std::unique_ptr<Alarm> alarm_;
    Screen screen_;
    HWND hwnd_ = nullptr;
    HWND pause_ = nullptr;
    HWND gameover_ = nullptr;
    HFONT font_ = nullptr;
    HHOOK menuHook_ = nullptr;  // set while a menu is open
};

}  // namespace zv
