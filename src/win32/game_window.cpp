#include "win32/game_window.h"

#include <cmath>
#include <string>
#include <string_view>
#include <utility>

#include "midend/button_look.h"
#include "midend/windows_version.h"

namespace zv {
namespace {

constexpr wchar_t className[] = L"Zorvane";
// The board sets the window's size, so there is nothing to maximize or resize.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr UINT_PTR modalTimer = 1;

// Windows 10 1607's DPI calls, where the program looks them up.
const auto dpiForWindow = windowsFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
const auto adjustWindowRectForDpi =
    windowsFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(L"user32.dll", "AdjustWindowRectExForDpi");

std::wstring widen(std::string_view text) {
    if (text.empty()) return {};
    std::wstring wide(std::size_t(MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), int(wide.size()));
    return wide;
}

// Registered again for every window, which Windows refuses harmlessly.
void registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // where the build put one in
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
}

// Multi-line, so that "Game Over" wraps inside its small box.
HWND makeButton(HWND parent, std::string_view caption) {
    return CreateWindowExW(0, L"BUTTON", widen(caption).c_str(),
                           WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON | BS_MULTILINE, 0, 0, 0, 0, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Escape closes the whole menu: Windows would keep the bar's keyboard mode, the arrows not steering.
LRESULT CALLBACK escapeEndsMenu(int code, WPARAM wParam, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        EndMenu();
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The place on the window's bar of the title that opens this menu; -1 for any other.
int titleOf(HWND window, HMENU menu) {
    const HMENU bar = GetMenu(window);
    for (int title = 0; title < GetMenuItemCount(bar); ++title)
        if (GetSubMenu(bar, title) == menu) return title;
    return -1;
}

// The box's whole rows straight from the picture, which is in GDI's byte order.
void copyToWindow(HDC dc, const PixelCanvas& picture, const Box& whole) {
    const Box box = picture.clip(whole);
    if (box.empty()) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width(), -box.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, box.x, box.y, DWORD(box.width), DWORD(box.height), box.x, 0, 0, UINT(box.height),
                      picture.row(box.y), &info, DIB_RGB_COLORS);
}

}  // namespace

GameWindow::GameWindow(RandomPtr random, std::unique_ptr<Alarm> alarm)
    : PictureSurface(PixelCanvas::Order::BlueFirst), alarm_(std::move(alarm)), screen_(*this, std::move(random)) {
    screen_.follow(*alarm_);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerClass(instance, &GameWindow::windowProc);
    CreateWindowExW(0, className, L"", windowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    parts_.board = hwnd_;
    for (const Button which : {Button::Pause, Button::GameOver})
        parts_.of(which) = makeButton(hwnd_, buttonLook(which).caption);
    // Game Over above Pause where they overlap.
    SetWindowPos(parts_.gameover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The first board and title stand before the window shows.
    screen_.start(dpiForWindow(hwnd_) / 96.0, alarm_->now());
    fitFont();
}

GameWindow::~GameWindow() {
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
    for (const MenuBarTitle& title : bar) {
        const HMENU menu = title.items.empty() ? nullptr : CreatePopupMenu();
        // The function key after a tab, where Windows lines it up.
        for (const MenuEntry& item : title.items) {
            std::wstring text = widen(item.caption);
            if (!item.shortcut.empty()) text += L"\t" + widen(item.shortcut);
            AppendMenuW(menu, MF_STRING, 0, text.c_str());
        }
        AppendMenuW(menuBar, menu ? MF_POPUP : MF_STRING, reinterpret_cast<UINT_PTR>(menu), widen(title.title).c_str());
    }
    // A choice comes as its menu and its place there.
    const MENUINFO byPlace{sizeof(MENUINFO), MIM_STYLE | MIM_APPLYTOSUBMENUS, MNS_NOTIFYBYPOS, 0, nullptr, 0, 0};
    SetMenuInfo(menuBar, &byPlace);
    SetMenu(hwnd_, menuBar);
}

bool GameWindow::preTranslate(MSG& msg) {
    // A focused button's key: the screen takes Tab and a menu's shortcut, the button the rest.
    const Focus holder = parts_.focusOf(msg.hwnd);
    return msg.message == WM_KEYDOWN && parts_.buttonOf(holder) && key(msg.wParam, holder);
}

bool GameWindow::key(WPARAM virtualKey, Focus holder) {
    const auto down = [](int key) { return GetKeyState(key) < 0; };
    const HeldModifiers held{.shift = down(VK_SHIFT), .ctrl = down(VK_CONTROL), .alt = down(VK_MENU)};
    return screen_.key(alarm_->now(), keyOfCode(std::uint32_t(virtualKey)), held, holder);
}

// A finger (or a pen) on the board; the mouse never comes as a pointer here.
void GameWindow::touch(Screen::Touch phase, LPARAM lParam) {
    POINT at{short(LOWORD(lParam)), short(HIWORD(lParam))};
    ScreenToClient(hwnd_, &at);
    screen_.touchDevice(alarm_->now(), phase, at.x, at.y);
}

// Sizes the window so that its client area is the picture, in device pixels.
bool GameWindow::layOut(const Box&, int width, int height) {
    if (!picture_.resize(width, height)) return false;
    RECT got;  // most new boards keep the size
    GetClientRect(hwnd_, &got);
    if (got.right == width && got.bottom == height) return true;
    RECT outer{0, 0, width, height};
    adjustWindowRectForDpi(&outer, windowStyle, TRUE, 0, UINT(std::lround(screen_.geometry().ratio() * 96)));
    const auto resize = [&](int more) {
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + more,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(hwnd_, &got);
        return height - got.bottom;
    };
    // A narrow window wraps its menu bar onto a second line; grow by what is missing.
    if (const int missing = resize(0)) resize(missing);
    return true;
}

// Just the boxes painted; an exposed window is restored from the picture.
void GameWindow::present(std::span<const Box> painted) {
    const HDC dc = GetDC(hwnd_);
    for (const Box& box : painted) copyToWindow(dc, picture_, box);
    ReleaseDC(hwnd_, dc);
}

void GameWindow::placeButton(Button button, const ButtonView& view) {
    const Box place = screen_.geometry().toDevice(view.place);
    // One round trip to the window system; the screen moves the keys itself.
    SetWindowPos(parts_.of(button), nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (view.shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void GameWindow::setTitle(const std::string& title) { SetWindowTextW(hwnd_, widen(title).c_str()); }

// While a menu is open (and its Escape hook set) it has the keys.
void GameWindow::moveFocus(Focus focus) {
    if (!menuHook_) SetFocus(parts_.holding(focus));
}

// The buttons' font in device pixels: it changes with the monitor's scale.
void GameWindow::fitFont() {
    const ButtonLook look = buttonLook(Button::Pause);
    if (font_) DeleteObject(font_);
    font_ = CreateFontW(-look.pixels(screen_.geometry().ratio()), 0, 0, 0, look.weight, FALSE, FALSE, FALSE,
                        ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, widen(look.face).c_str());
    for (HWND button : {parts_.pause, parts_.gameover}) SendMessageW(button, WM_SETFONT, WPARAM(font_), TRUE);
}

LRESULT CALLBACK GameWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<GameWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<GameWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handle(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT GameWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // A button clicked; the menus' choices come as WM_MENUCOMMAND.
        if (const auto button = parts_.buttonOf(parts_.focusOf(HWND(lParam))); button && HIWORD(wParam) == BN_CLICKED)
            screen_.click(alarm_->now(), *button);
        return 0;
    case WM_MENUCOMMAND:
        if (HMENU(lParam) == GetMenu(hwnd_))
            screen_.menuCommand(alarm_->now(), int(wParam), focus());
        else
            screen_.menuChosen(alarm_->now(), titleOf(hwnd_, HMENU(lParam)), int(wParam), focus());
        return 0;
    case WM_INITMENUPOPUP:
        // Opened by mouse or keyboard, before any choice; not the system menu.
        if (!HIWORD(lParam)) screen_.menuOpened(alarm_->now(), titleOf(hwnd_, HMENU(wParam)), focus());
        return 0;
    case WM_ENTERMENULOOP:
        menuHook_ = SetWindowsHookExW(WH_MSGFILTER, escapeEndsMenu, nullptr, GetCurrentThreadId());
        [[fallthrough]];
    case WM_ENTERSIZEMOVE:
        SetTimer(hwnd_, modalTimer, USER_TIMER_MINIMUM, nullptr);
        return 0;
    case WM_EXITMENULOOP:
        if (menuHook_) UnhookWindowsHookEx(std::exchange(menuHook_, nullptr));
        [[fallthrough]];
    case WM_EXITSIZEMOVE:
        KillTimer(hwnd_, modalTimer);
        return 0;
    case WM_TIMER:
        // Windows' own loop holds the thread (a menu, a move): run what fell due.
        if (wParam == modalTimer) screen_.wake(alarm_->now(), alarm_->early());
        return 0;
    case WM_KEYDOWN:
        key(wParam, Focus::Board);
        return 0;
    case WM_SYSKEYDOWN:
        // F10 reaches the game, then the menu bar; a key with Alt only the bar and the system.
        key(wParam, Focus::Board);
        break;
    case WM_POINTERDOWN: touch(Screen::Touch::Down, lParam); return 0;
    case WM_POINTERUPDATE: touch(Screen::Touch::Move, lParam); return 0;
    case WM_POINTERUP: touch(Screen::Touch::Up, lParam); return 0;
    case WM_POINTERCAPTURECHANGED: touch(Screen::Touch::Cancel, lParam); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd_, &ps);
        const RECT& r = ps.rcPaint;
        copyToWindow(dc, picture_, Box{r.left, r.top, r.right - r.left, r.bottom - r.top});
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        screen_.setRatio(HIWORD(wParam) / 96.0);
        fitFont();
        return 0;
    }
    case WM_CLOSE:
        screen_.close();
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
