#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "midend/alarm.h"
#include "midend/pixel_canvas.h"
#include "midend/screen.h"
#include "midend/window_parts.h"

namespace zv {

// The game's window on Win32, over the mid-end's Screen: the board's picture, native buttons on it.
class GameWindow final : public PictureSurface {
public:
    GameWindow(RandomPtr random, std::unique_ptr<Alarm> alarm);
    ~GameWindow() override;

    // True once Quit was chosen or the window was closed.
    bool ended() const { return hwnd_ == nullptr; }

    void show(int how);
    // A message before it is dispatched; true when the screen took it.
    bool preTranslate(MSG& msg);

    bool layOut(const Box& inner, int width, int height) override;
    void present(std::span<const Box> painted) override;
    void placeButton(Button button, const ButtonView& view) override;
    void setTitle(const std::string& title) override;
    void buildMenus(std::span<const MenuBarTitle> bar) override;
    void wakeAt(std::optional<Time> due) override { alarm_->wakeAt(due); }
    void moveFocus(Focus focus) override;
    void end() override { DestroyWindow(hwnd_); }

private:
    friend class GameWindowTestPeer;
    friend class GameWindowBenchPeer;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool key(WPARAM virtualKey, Focus holder);
    void touch(Screen::Touch phase, LPARAM lParam);
    void fitFont();
    Focus focus() const { return parts_.focusOf(GetFocus()); }

    std::unique_ptr<Alarm> alarm_;
    Screen screen_;
    HWND hwnd_ = nullptr;
    WindowParts<HWND> parts_;
    HFONT font_ = nullptr;
    HHOOK menuHook_ = nullptr;  // set while a menu is open
};

}  // namespace zv
