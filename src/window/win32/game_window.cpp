#include "window/win32/game_window.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "window/description.h"
#include "screen/key_rules.h"
#include "window/menus.h"
#include "screen/painting.h"
#include "window/win32/win32_keys.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace zv {
namespace {

constexpr wchar_t className[] = L"Zorvane";
// The board sets the window's size, so there is nothing to maximize or resize.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR modalTimer = 1;
constexpr int pauseId = 10;
constexpr int gameoverId = 11;
constexpr UINT firstCommand = 100;

std::wstring widen(std::string_view text) {
    if (text.empty()) return {};
    std::wstring wide(std::size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size()));
    return wide;
}

// Newer Windows' calls, looked up so that the game still starts where they are missing.
template <typename Function>
Function user32(const char* name) {
    const FARPROC proc = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

UINT dpiOf(HWND hwnd) {
    static const auto getDpiForWindow = user32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow) return getDpiForWindow(hwnd);
    const HDC dc = GetDC(hwnd);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(hwnd, dc);
    return UINT(dpi);
}

RECT outerFor(SIZE client, UINT dpi) {
    static const auto adjustForDpi = user32<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, client.cx, client.cy};
    if (adjustForDpi)
        adjustForDpi(&rect, windowStyle, TRUE, 0, dpi);
    else
        AdjustWindowRectEx(&rect, windowStyle, TRUE, 0);
    return rect;
}

void registerClass(HINSTANCE instance, WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // The program's icon, where the build put one in.
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    wc.lpszClassName = className;
    registered = RegisterClassExW(&wc) != 0;
}

HWND makeButton(HWND parent, std::string_view caption, int id) {
    // Multi-line, so that "Game Over" wraps inside its small box.
    return CreateWindowExW(0, L"BUTTON", widen(caption).c_str(),
                           WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_MULTILINE, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

// Escape in an open menu closes the whole menu, not just the popup: Windows
// would keep the bar in its keyboard mode, where the arrows move along the
// bar instead of steering, as a click elsewhere or a chosen item never does.
LRESULT CALLBACK escapeEndsMenu(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        EndMenu();
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool shownStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

GameWindow::GameWindow(std::unique_ptr<RandomSource> random, std::unique_ptr<TickClock> clock)
    : shell_(std::move(random)), clock_(std::move(clock)) {
    clock_->onTick = [this] { tick(); };
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, &GameWindow::windowProc);
    CreateWindowExW(0, className, widen(description::title).c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    // Created in this order; Game Over is raised above Pause where they overlap.
    pause_ = makeButton(hwnd_, description::pauseCaption, pauseId);
    gameover_ = makeButton(hwnd_, description::gameoverCaption, gameoverId);
    SetWindowPos(gameover_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    buildMenus();
    fitToDpi(dpiOf(hwnd_));
    // The first board stands, title included, before the window is ever shown.
    apply(shell_.start());
}

GameWindow::~GameWindow() {
    clock_->onTick = nullptr;
    if (hwnd_) DestroyWindow(hwnd_);
    if (picture_) {
        SelectObject(picture_, pictureWas_);
        DeleteObject(pictureBitmap_);
        DeleteDC(picture_);
    }
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    if (font_) DeleteObject(font_);
}

void GameWindow::show(int how) {
    ShowWindow(hwnd_, how);
    UpdateWindow(hwnd_);
    SetFocus(hwnd_);
}

void GameWindow::buildMenus() {
    const HMENU bar = CreateMenu();
    std::vector<ACCEL> keys;
    auto addCommand = [this](std::function<void(zorvane&)> command) {
        commands_.push_back(std::move(command));
        return UINT(firstCommand + commands_.size() - 1);
    };
    for (const MenuTitle& title : menuTitles) {
        if (const auto clicked = title.clicked) {
            quitCommand_ = addCommand([clicked](zorvane& game) { (game.*clicked)(); });
            AppendMenuW(bar, MF_STRING, quitCommand_, widen(title.title).c_str());
            continue;
        }
        const HMENU menu = CreatePopupMenu();
        (title.title == description::speedTitle ? speedMenu_ : sizeMenu_) = menu;  // for the tests to open
        if (title.opened) openers_.emplace_back(menu, title.opened);
        // Each item carries its index, which is its value, to the item handler;
        // the key is shown after a tab, where Windows lines it up.
        for (const auto& item : title.items) {
            const UINT id = addCommand([chosen = title.chosen, index = Integer(item.index)](zorvane& game) {
                (game.*chosen)(index);
            });
            const std::wstring text = widen(item.caption) + L"\t" + widen(keyName(item.shortcut));
            AppendMenuW(menu, MF_STRING, id, text.c_str());
            keys.push_back({FVIRTKEY, WORD(item.shortcut), WORD(id)});
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), widen(title.title).c_str());
    }
    SetMenu(hwnd_, bar);
    accelerators_ = CreateAcceleratorTableW(keys.data(), int(keys.size()));
}

bool GameWindow::preTranslate(MSG& msg) {
    if (!hwnd_) return false;
    // Tab moves the focus among the board and the shown buttons, Game Over first.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && (shownStyle(pause_) || shownStyle(gameover_))) {
        moveFocus((GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return true;
    }
    // A shortcut chooses its item as the mouse would; it opens no menu.
    translatingAccelerator_ = true;
    const bool translated = TranslateAcceleratorW(hwnd_, accelerators_, &msg) != 0;
    translatingAccelerator_ = false;
    return translated;
}

void GameWindow::moveFocus(bool backward) {
    std::vector<HWND> order{hwnd_};
    for (HWND button : {gameover_, pause_})
        if (shownStyle(button)) order.push_back(button);
    const auto at = std::find(order.begin(), order.end(), GetFocus());
    const std::size_t from = at == order.end() ? 0 : std::size_t(at - order.begin());
    const std::size_t to = (from + (backward ? order.size() - 1 : 1)) % order.size();
    SetFocus(order[to]);
}

void GameWindow::tick() {
    dispatch([this] { shell_.game().Timer1_Timer(); });
}

void GameWindow::keyDown(WPARAM virtualKey) {
    if (const auto key = win32KeyDown(unsigned(virtualKey), heldModifiers()))
        dispatch([this, key] { shell_.game().Form_KeyDown(key->keyCode, key->shift); });
}

template <typename Handler>
void GameWindow::dispatch(Handler&& handler) {
    if (auto update = shell_.run([&](zorvane&) { handler(); }, focus())) apply(*update);
}

void GameWindow::apply(const ScreenUpdate& update) {
    if (update.ended) {
        clock_->setInterval(0);
        DestroyWindow(hwnd_);
        return;
    }
    if (update.rebuild) {
        layOut(update.inner);
        repaintPicture();
    } else if (!update.cells.empty() && picture_) {
        GdiCanvas canvas(picture_, picturePixels_);
        repaintCells(canvas, shell_.geometry(), shell_.game().Block(), update.cells);
        const HDC dc = GetDC(hwnd_);
        for (const auto n : update.cells) {
            if (n <= 0) continue;
            const Box box = shell_.geometry().toDevice(shell_.geometry().repaintBox(n));
            copyToWindow(dc, RECT{box.x, box.y, box.right(), box.bottom()});
        }
        ReleaseDC(hwnd_, dc);
    }
    pauseView_ = update.pause;
    gameoverView_ = update.gameover;
    syncButton(pause_, pauseView_);
    syncButton(gameover_, gameoverView_);
    if (update.title) SetWindowTextW(hwnd_, widen(*update.title).c_str());
    clock_->setInterval(update.interval);
    // While a menu is open it has the keys.
    if (update.focus && !inMenuLoop_) SetFocus(windowFor(*update.focus));
}

void GameWindow::syncButton(HWND button, const ButtonView& view) {
    const Box place = shell_.geometry().toDevice(view.place);
    RECT now;
    GetWindowRect(button, &now);
    MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&now), 2);
    if (now.left != place.x || now.top != place.y || now.right != place.right() || now.bottom != place.bottom())
        SetWindowPos(button, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (shownStyle(button) != view.shown) ShowWindow(button, view.shown ? SW_SHOWNA : SW_HIDE);
}

// Sizes the window so that its client area is the inner area in device pixels.
void GameWindow::layOut(const Box& inner) {
    inner_ = inner;
    const Box device = shell_.geometry().toDevice(Box{0, 0, inner.width, inner.height});
    const SIZE client{device.width, device.height};
    const RECT outer = outerFor(client, dpiOf(hwnd_));
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A narrow window wraps its menu bar onto a second line; grow by what is missing.
    RECT got;
    GetClientRect(hwnd_, &got);
    const int missing = client.cy - (got.bottom - got.top);
    if (missing != 0)
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window is on a monitor of this many dots per inch: everything in device
// pixels follows, through the shell's geometry.
void GameWindow::fitToDpi(UINT dpi) {
    if (!shell_.setDevicePixelRatio(dpi / 96.0) && font_) return;
    if (font_) DeleteObject(font_);
    font_ = CreateFontW(-int(std::lround(description::buttonPointSize * dpi / 72)), 0, 0, 0, description::buttonWeight,
                        FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, widen(description::buttonFont).c_str());
    for (HWND button : {pause_, gameover_}) SendMessageW(button, WM_SETFONT, WPARAM(font_), TRUE);
    if (inner_.empty()) return;
    layOut(inner_);
    syncButton(pause_, pauseView_);
    syncButton(gameover_, gameoverView_);
    repaintPicture();
}

// Paints the whole board anew, at the window's size in device pixels, and
// shows it in one go: the background never shows alone between the cells.
void GameWindow::repaintPicture() {
    const Box all = shell_.geometry().toDevice(Box{0, 0, inner_.width, inner_.height});
    if (!picture_) {
        picture_ = CreateCompatibleDC(nullptr);
        pictureWas_ = GetCurrentObject(picture_, OBJ_BITMAP);
    }
    const int width = std::max(all.width, 1);
    const int height = std::max(all.height, 1);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(picture_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    SelectObject(picture_, bitmap);
    if (pictureBitmap_) DeleteObject(pictureBitmap_);
    pictureBitmap_ = bitmap;
    picturePixels_ = {static_cast<std::uint32_t*>(bits), width, height};
    GdiCanvas canvas(picture_, picturePixels_);
    const zorvane& game = shell_.game();
    if (game.loaded())
        paintArea(canvas, shell_.geometry(), game.Block(), all);
    else
        canvas.fillRect(all, description::background);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void GameWindow::copyToWindow(HDC dc, const RECT& area) const {
    if (!picture_) return;
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, picture_, area.left, area.top,
           SRCCOPY);
}

Focus GameWindow::focus() const {
    const HWND holder = GetFocus();
    if (!holder) return Focus::Nothing;
    if (holder == hwnd_) return Focus::Board;
    if (holder == pause_) return Focus::Pause;
    if (holder == gameover_) return Focus::GameOver;
    return Focus::Elsewhere;
}

HWND GameWindow::windowFor(Focus focus) const {
    if (focus == Focus::Pause) return pause_;
    if (focus == Focus::GameOver) return gameover_;
    return hwnd_;
}

LRESULT CALLBACK GameWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<GameWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<GameWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT GameWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = hwnd_;
    switch (message) {
    case WM_COMMAND:
        if (HWND(lParam) == pause_ && HIWORD(wParam) == BN_CLICKED) {
            dispatch([this] { shell_.game().pause_Click(); });
        } else if (HWND(lParam) == gameover_ && HIWORD(wParam) == BN_CLICKED) {
            dispatch([this] { shell_.game().gameover_Click(); });
        } else if (lParam == 0 && LOWORD(wParam) >= firstCommand && LOWORD(wParam) - firstCommand < commands_.size()) {
            const auto& command = commands_[LOWORD(wParam) - firstCommand];
            dispatch([this, &command] { command(shell_.game()); });
        }
        return 0;
    case WM_INITMENUPOPUP:
        // Opened by mouse or keyboard, before any choice; not the system menu.
        if (!HIWORD(lParam) && !translatingAccelerator_)
            for (const auto& [menu, opened] : openers_)
                if (HMENU(wParam) == menu) dispatch([this, opened = opened] { (shell_.game().*opened)(); });
        return 0;
    case WM_ENTERMENULOOP:
        inMenuLoop_ = true;
        menuHook_ = SetWindowsHookExW(WH_MSGFILTER, escapeEndsMenu, nullptr, GetCurrentThreadId());
        SetTimer(hwnd, modalTimer, USER_TIMER_MINIMUM, nullptr);
        return 0;
    case WM_ENTERSIZEMOVE:
        SetTimer(hwnd, modalTimer, USER_TIMER_MINIMUM, nullptr);
        return 0;
    case WM_EXITMENULOOP:
        inMenuLoop_ = false;
        if (menuHook_) UnhookWindowsHookEx(menuHook_);
        menuHook_ = nullptr;
        KillTimer(hwnd, modalTimer);
        return 0;
    case WM_EXITSIZEMOVE:
        KillTimer(hwnd, modalTimer);
        return 0;
    case WM_TIMER:
        if (wParam == modalTimer && whileModal) whileModal();
        return 0;
    case WM_KEYDOWN:
        keyDown(wParam);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt with a key, and F10: the game sees the key, then the menu bar
        // takes it as Windows has it do.
        keyDown(wParam);
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd, &ps);
        copyToWindow(dc, ps.rcPaint);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT all;
        GetClientRect(hwnd, &all);
        copyToWindow(HDC(wParam), all);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        fitToDpi(HIWORD(wParam));
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        clock_->setInterval(0);
        KillTimer(hwnd, modalTimer);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace zv
