#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "screen/shell.h"
#include "screen/tick_clock.h"
#include "window/win32/gdi_canvas.h"

namespace zv {

// The game's one window on Win32. Its client area is the board, painted with
// GDI; the two buttons are native push buttons above it. It hands every event
// to the game's handler for it and brings the screen in line with the shell's
// update: changed cells, buttons, title, clock, focus. A reload rebuilds the
// board and buttons in place; the window itself stays on screen.
class GameWindow {
public:
    explicit GameWindow(std::unique_ptr<RandomSource> random, std::unique_ptr<TickClock> clock);
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND pauseButton() const { return pause_; }
    HWND gameoverButton() const { return gameover_; }
    HMENU speedMenu() const { return speedMenu_; }
    HMENU sizeMenu() const { return sizeMenu_; }
    // The command id that the menu bar's item raises.
    UINT commandOf(HMENU menu, int position) const { return GetMenuItemID(menu, position); }
    UINT quitCommand() const { return quitCommand_; }
    zorvane& game() { return shell_.game(); }
    const Shell& shell() const { return shell_; }
    TickClock& clock() { return *clock_; }
    // True once Quit was chosen or the window was closed.
    bool ended() const { return hwnd_ == nullptr; }

    // Called every few milliseconds while a menu or a move holds the thread
    // in Windows' own loop, so that the clock can keep ticking there.
    std::function<void()> whileModal;

    void show(int how);
    // One tick of the game clock.
    void tick();
    // Takes a message the loop got before it is dispatched: the accelerators
    // and the focus keys. True when it was handled.
    bool preTranslate(MSG& msg);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    template <typename Handler>
    void dispatch(Handler&& handler);
    void apply(const ScreenUpdate& update);
    void syncButton(HWND button, const ButtonView& view);
    void layOut(const Box& inner);
    void fitToDpi(UINT dpi);
    void repaintPicture();
    void copyToWindow(HDC dc, const RECT& area) const;
    Focus focus() const;
    HWND windowFor(Focus focus) const;
    void buildMenus();
    void moveFocus(bool backward);
    void keyDown(WPARAM virtualKey);

    Shell shell_;
    std::unique_ptr<TickClock> clock_;
    HWND hwnd_ = nullptr;
    HWND pause_ = nullptr;
    HWND gameover_ = nullptr;
    HFONT font_ = nullptr;
    HMENU speedMenu_ = nullptr;
    HMENU sizeMenu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    UINT quitCommand_ = 0;
    Box inner_;
    // The board as last painted, in device pixels: a tick paints its few
    // cells here and copies just their boxes to the window, and an exposed
    // window is restored from it without painting anything anew.
    HDC picture_ = nullptr;
    HBITMAP pictureBitmap_ = nullptr;
    HGDIOBJ pictureWas_ = nullptr;
    GdiCanvas::Pixels picturePixels_;
    // What each menu command runs, by command id less firstCommand.
    std::vector<std::function<void(zorvane&)>> commands_;
    // The menus that run a handler as they open.
    std::vector<std::pair<HMENU, void (zorvane::*)()>> openers_;
    ButtonView pauseView_;
    ButtonView gameoverView_;
    HHOOK menuHook_ = nullptr;
    bool inMenuLoop_ = false;
    bool translatingAccelerator_ = false;
};

}  // namespace zv
