#include "window/win32/game_window.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "window/description.h"
#include "window/win32/win32_keys.h"

namespace zv {
namespace {

// Messages of newer Windows than the headers are set for.
constexpr UINT dpiChanged = 0x02E0, pointerUpdate = 0x0245, pointerDown = 0x0246, pointerUp = 0x0247;
constexpr UINT pointerCaptureChanged = 0x024C;

constexpr wchar_t className[] = L"Zorvane";
// The board sets the window's size, so there is nothing to maximize or resize.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR modalTimer = 1;
// A menu command's id holds the title's and the item's places on the bar.
constexpr UINT firstCommand = 100;
constexpr UINT itemsPerTitle = 32;

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

// Registered again for every window, which Windows refuses harmlessly.
void registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // The program's icon, where the build put one in; Windows picks the small size from it.
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

HWND makeButton(HWND parent, std::string_view caption) {
    // Multi-line, so that "Game Over" wraps inside its small box.
    return CreateWindowExW(0, L"BUTTON", widen(caption).c_str(),
                           WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_MULTILINE, 0, 0, 0, 0, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
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

// The picture's RGBA bytes as GDI takes them: bit fields name where each colour lies.
struct RgbaBitmapInfo {
    BITMAPINFOHEADER header;
    DWORD masks[3] = {0x000000FF, 0x0000FF00, 0x00FF0000};
};

}  // namespace

GameWindow::GameWindow(std::unique_ptr<RandomSource> random, std::unique_ptr<Alarm> alarm)
    : alarm_(std::move(alarm)), screen_(*this, std::move(random)) {
    alarm_->onWake = [this](Time now) { screen_.wake(now, alarm_->early()); };
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, &GameWindow::windowProc);
    CreateWindowExW(0, className, widen(description::title).c_str(), windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    // Created in this order; Game Over is raised above Pause where they overlap.
    pause_ = makeButton(hwnd_, description::pauseCaption);
    gameover_ = makeButton(hwnd_, description::gameoverCaption);
    SetWindowPos(gameover_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    fitFont(dpiOf(hwnd_));
    // The first board stands, title included, before the window is ever shown.
    screen_.start(fontDpi_ / 96.0, alarm_->now());
}

GameWindow::~GameWindow() {
    alarm_->onWake = nullptr;
    alarm_->wakeAt(std::nullopt);
    if (hwnd_) DestroyWindow(hwnd_);
    if (font_) DeleteObject(font_);
}

void GameWindow::show(int how) {
    ShowWindow(hwnd_, how);
    UpdateWindow(hwnd_);
    SetFocus(hwnd_);
}

void GameWindow::buildMenus(std::span<const MenuBarTitle> bar) {
    const HMENU menuBar = CreateMenu();
    for (UINT t = 0; t < bar.size(); ++t) {
        const MenuBarTitle& title = bar[t];
        const UINT first = firstCommand + t * itemsPerTitle;
        if (title.items.empty()) {
            quitCommand_ = first;
            AppendMenuW(menuBar, MF_STRING, first, widen(title.title).c_str());
            menus_.push_back(nullptr);
            continue;
        }
        const HMENU menu = CreatePopupMenu();
        menus_.push_back(menu);
        if (title.title == description::speedTitle) speedMenu_ = menu;
        if (title.title == description::sizeTitle) sizeMenu_ = menu;
        // The function key is shown after a tab, where Windows lines it up.
        for (UINT i = 0; i < title.items.size(); ++i) {
            const MenuEntry& item = title.items[i];
            std::wstring text = widen(item.caption);
            if (item.functionKey) text += L"\tF" + std::to_wstring(item.functionKey);
            AppendMenuW(menu, MF_STRING, first + i, text.c_str());
        }
        AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), widen(title.title).c_str());
    }
    SetMenu(hwnd_, menuBar);
}

void GameWindow::command(UINT id) {
    const UINT title = (id - firstCommand) / itemsPerTitle;
    if (id < firstCommand || title >= menus_.size()) return;
    if (menus_[title])
        screen_.menuChosen(alarm_->now(), int(title), int((id - firstCommand) % itemsPerTitle), focus());
    else
        screen_.menuCommand(alarm_->now(), int(title), focus());
}

bool GameWindow::preTranslate(MSG& msg) {
    if (!hwnd_ || msg.message != WM_KEYDOWN) return false;
    // Tab moves the focus among the board and the shown buttons, Game Over first.
    if (msg.wParam == VK_TAB && (shownStyle(pause_) || shownStyle(gameover_))) {
        tabTo((GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return true;
    }
    // A focused button: the screen takes a menu's shortcut, the button the rest.
    if (msg.hwnd == pause_ || msg.hwnd == gameover_)
        return key(msg.wParam, msg.hwnd == pause_ ? Focus::Pause : Focus::GameOver);
    return false;
}

bool GameWindow::key(WPARAM virtualKey, Focus holder) {
    return screen_.key(alarm_->now(), win32KeyInput(unsigned(virtualKey)), heldModifiers(), holder);
}

void GameWindow::tabTo(bool backward) {
    std::vector<HWND> order{hwnd_};
    for (HWND button : {gameover_, pause_})
        if (shownStyle(button)) order.push_back(button);
    const auto at = std::find(order.begin(), order.end(), GetFocus());
    const std::size_t from = at == order.end() ? 0 : std::size_t(at - order.begin());
    const std::size_t to = (from + (backward ? order.size() - 1 : 1)) % order.size();
    SetFocus(order[to]);
}

// A finger (or a pen) on the board; the mouse never comes as a pointer here.
void GameWindow::touch(Screen::Touch phase, LPARAM lParam) {
    POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
    ScreenToClient(hwnd_, &at);
    const double ratio = screen_.geometry().ratio();
    screen_.touch(alarm_->now(), phase, at.x / ratio, at.y / ratio);
}

// Sizes the window so that its client area is the picture, in device pixels.
bool GameWindow::layOut(const Box&, int width, int height) {
    if (!picture_.resize(width, height)) return false;
    const RECT outer = outerFor({width, height}, UINT(std::lround(screen_.geometry().ratio() * 96)));
    SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A narrow window wraps its menu bar onto a second line; grow by what is missing.
    RECT got;
    GetClientRect(hwnd_, &got);
    if (const int missing = height - got.bottom)
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A new ratio moves the buttons' device pixels too.
    syncButton(pause_, views_[0]);
    syncButton(gameover_, views_[1]);
    return true;
}

void GameWindow::present(std::span<const Box> painted) {
    const HDC dc = GetDC(hwnd_);
    for (const Box& box : painted) copyToWindow(dc, box);
    ReleaseDC(hwnd_, dc);
}

void GameWindow::copyToWindow(HDC dc, const Box& box) const {
    const int left = std::max(box.x, 0), top = std::max(box.y, 0);
    const int right = std::min(box.right(), picture_.width()), bottom = std::min(box.bottom(), picture_.height());
    if (left >= right || top >= bottom) return;
    RgbaBitmapInfo info;
    info.header = {sizeof(BITMAPINFOHEADER), picture_.width(), -picture_.height(), 1, 32, BI_BITFIELDS, 0, 0, 0, 0, 0};
    // The source's rows count from the bottom, even in a top-down picture.
    StretchDIBits(dc, left, top, right - left, bottom - top, left, picture_.height() - bottom, right - left,
                  bottom - top, picture_.pixels(), reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
}

void GameWindow::placeButton(Button button, const ButtonView& view) {
    const bool pause = button == Button::Pause;
    views_[pause ? 0 : 1] = view;
    syncButton(pause ? pause_ : gameover_, view);
}

void GameWindow::syncButton(HWND button, const ButtonView& view) {
    const Box place = screen_.geometry().toDevice(view.place);
    SetWindowPos(button, nullptr, place.x, place.y, place.width, place.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (shownStyle(button) != view.shown) ShowWindow(button, view.shown ? SW_SHOWNA : SW_HIDE);
}

void GameWindow::setTitle(const std::string& title) { SetWindowTextW(hwnd_, widen(title).c_str()); }

// While a menu is open it has the keys.
void GameWindow::moveFocus(Focus focus) {
    if (!inMenuLoop_) SetFocus(focus == Focus::Pause ? pause_ : focus == Focus::GameOver ? gameover_ : hwnd_);
}

// The buttons' font at this many dots per inch.
void GameWindow::fitFont(UINT dpi) {
    if (dpi == fontDpi_) return;
    fontDpi_ = dpi;
    if (font_) DeleteObject(font_);
    font_ = CreateFontW(-int(std::lround(description::buttonPointSize * dpi / 72)), 0, 0, 0, description::buttonWeight,
                        FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, widen(description::buttonFont).c_str());
    for (HWND button : {pause_, gameover_}) SendMessageW(button, WM_SETFONT, WPARAM(font_), TRUE);
}

Focus GameWindow::focus() const {
    const HWND holder = GetFocus();
    if (!holder) return Focus::Nothing;
    if (holder == pause_ || holder == gameover_) return holder == pause_ ? Focus::Pause : Focus::GameOver;
    return holder == hwnd_ ? Focus::Board : Focus::Elsewhere;
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
    switch (message) {
    case WM_COMMAND:
        if (HWND(lParam) == pause_ && HIWORD(wParam) == BN_CLICKED)
            screen_.click(alarm_->now(), Button::Pause);
        else if (HWND(lParam) == gameover_ && HIWORD(wParam) == BN_CLICKED)
            screen_.click(alarm_->now(), Button::GameOver);
        else if (lParam == 0)
            command(LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        // Opened by mouse or keyboard, before any choice; not the system menu.
        for (std::size_t t = 0; t < menus_.size() && !HIWORD(lParam); ++t)
            if (menus_[t] == HMENU(wParam)) screen_.menuOpened(alarm_->now(), int(t), focus());
        return 0;
    case WM_ENTERMENULOOP:
        inMenuLoop_ = true;
        menuHook_ = SetWindowsHookExW(WH_MSGFILTER, escapeEndsMenu, nullptr, GetCurrentThreadId());
        [[fallthrough]];
    case WM_ENTERSIZEMOVE:
        SetTimer(hwnd_, modalTimer, USER_TIMER_MINIMUM, nullptr);
        return 0;
    case WM_EXITMENULOOP:
        inMenuLoop_ = false;
        if (menuHook_) UnhookWindowsHookEx(std::exchange(menuHook_, nullptr));
        [[fallthrough]];
    case WM_EXITSIZEMOVE:
        KillTimer(hwnd_, modalTimer);
        return 0;
    case WM_TIMER:
        if (wParam == modalTimer && whileModal) whileModal();
        return 0;
    case WM_KEYDOWN:
        key(wParam, Focus::Board);
        return 0;
    case WM_SYSKEYDOWN:
        // Alt with a key, and F10: the game sees the key, then the menu bar
        // takes it as Windows has it do. Alt+F4 only closes the window.
        if (!(wParam == VK_F4 && (lParam & (1 << 29)))) key(wParam, Focus::Board);
        break;
    case pointerDown: touch(Screen::Touch::Down, lParam); return 0;
    case pointerUpdate: touch(Screen::Touch::Move, lParam); return 0;
    case pointerUp: touch(Screen::Touch::Up, lParam); return 0;
    case pointerCaptureChanged: touch(Screen::Touch::Cancel, lParam); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd_, &ps);
        const RECT& r = ps.rcPaint;
        copyToWindow(dc, Box{r.left, r.top, r.right - r.left, r.bottom - r.top});
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case dpiChanged: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        fitFont(HIWORD(wParam));
        screen_.setRatio(HIWORD(wParam) / 96.0);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        alarm_->wakeAt(std::nullopt);
        KillTimer(hwnd_, modalTimer);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DefWindowProcW(std::exchange(hwnd_, nullptr), message, wParam, lParam);
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace zv
