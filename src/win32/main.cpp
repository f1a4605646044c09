#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "win32/game_window.h"
#include "win32/message_loop.h"
#include "win32/waitable_clock.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // Themed buttons: the manifest asks for Common Controls 6.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    auto owned = std::make_unique<zv::WaitableClock>();
    zv::WaitableClock& clock = *owned;
    zv::GameWindow window(std::make_unique<zv::TimeSeededRandom>(), std::move(owned));
    window.show(show);
    return zv::runMessageLoop(window, clock);
}
