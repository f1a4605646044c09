// The player scenarios on the real Win32 window under Wine: keys posted to
// whatever holds the focus, clicks on the native buttons, menus chosen in
// Windows' own menu loop, fingers as pointer messages, the frame's close,
// and every cell read back from the window's pixels.

#include "driver.h"
#include "win32_support.h"

namespace conformance {
namespace {

class Win32Driver final : public Driver {
public:
    void open(std::unique_ptr<ScriptedRandom> random) override { window_.open(std::move(random)); }
    void key(zv::Integer code, bool shift) override { window_.key(WPARAM(code), shift); }
    void click(zv::Button button) override { window_.click(button); }
    // In the menu loop from the bar's keys as F10 gives them, which chooses as
    // a click does: along the bar to the title, then down its menu (Down opens
    // it on its first item) to the item.
    void menu(std::string_view title, std::string_view item) override {
        const int place = wt::titlePlace(title);
        ASSERT_GE(place, 0);
        std::vector<WPARAM> keys(std::size_t(place), VK_RIGHT);
        const auto items = zv::menuTable()[std::size_t(place)].items;
        if (!item.empty()) {
            std::size_t at = 0;
            while (at < items.size() && items[at].caption != item) ++at;
            ASSERT_LT(at, items.size()) << "no item " << item;
            keys.insert(keys.end(), at + 1, VK_DOWN);
        }
        keys.push_back(VK_RETURN);
        window_.barKeys(keys);
    }
    void menuEscaped(std::string_view title) override {
        const int place = wt::titlePlace(title);
        ASSERT_GE(place, 0);
        std::vector<WPARAM> keys(std::size_t(place), VK_RIGHT);
        keys.insert(keys.end(), {VK_DOWN, VK_ESCAPE});
        window_.barKeys(keys);
    }
    // As Windows reports a finger: in screen pixels, to the window under it.
    void touch(zv::Screen::Touch phase, double x, double y) override {
        using Touch = zv::Screen::Touch;
        const UINT message = phase == Touch::Down ? WM_POINTERDOWN
                             : phase == Touch::Move ? WM_POINTERUPDATE
                             : phase == Touch::Up   ? WM_POINTERUP
                                                    : WM_POINTERCAPTURECHANGED;
        const double ratio = window_.geometry().ratio();
        POINT at{int(x * ratio), int(y * ratio)};
        ClientToScreen(window_.hwnd(), &at);
        PostMessageW(window_.hwnd(), message, 1, MAKELPARAM(at.x, at.y));
        window_.pump();
    }
    bool tick() override {
        const bool set = window_.alarm->fire();
        window_.pump();
        return set;
    }
    // The frame's close button asks the window as the system menu's Close does.
    void close() override {
        PostMessageW(window_.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        window_.pump();
    }

    std::string title() override {
        wchar_t text[128] = {};
        GetWindowTextW(window_.hwnd(), text, 128);
        return std::string(text, text + wcslen(text));
    }
    bool shown(zv::Button button) override { return IsWindowVisible(window_.button(button)) != FALSE; }
    zv::Focus focus() override {
        const HWND holder = GetFocus();
        if (holder == window_.hwnd()) return zv::Focus::Board;
        if (holder == window_.button(zv::Button::Pause)) return zv::Focus::Pause;
        if (holder == window_.button(zv::Button::GameOver)) return zv::Focus::GameOver;
        return holder ? zv::Focus::Elsewhere : zv::Focus::Nothing;
    }
    zv::Rgb cell(int column, int row) override {
        const int n = column + int(window_.game().cols) * (row - 1);
        return wt::Picture(window_.hwnd()).middle(window_.geometry().cellBox(n));
    }
    double boardWidth() override { return clientSize().x / window_.geometry().ratio(); }
    double boardHeight() override { return clientSize().y / window_.geometry().ratio(); }
    int interval() override { return window_.screen().interval(); }
    int headColumn() override { return int(window_.game().headx); }
    int headRow() override { return int(window_.game().heady); }
    int side() override { return int(window_.game().boardsize); }
    bool ended() override { return window_.window->ended(); }

private:
    POINT clientSize() {
        RECT client;
        GetClientRect(window_.hwnd(), &client);
        return {client.right, client.bottom};
    }

    wt::Win32Window window_;
};

std::unique_ptr<Driver> makeWin32() { return std::make_unique<Win32Driver>(); }

// Registered as the program loads, before GoogleTest's main lists the tests.
const bool registered = (registerScenarios("Scenarios", &makeWin32), true);

}  // namespace
}  // namespace conformance
