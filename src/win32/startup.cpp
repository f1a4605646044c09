#include "win32/startup.h"

#include <memory>

#include "win32/game_window.h"
#include "win32/message_loop.h"
#include "win32/waitable_clock.h"
#include "win32/windows_support.h"

namespace zv {
namespace {

void showRefusal(const wchar_t* why) { MessageBoxW(nullptr, why, L"Zorvane", MB_OK | MB_ICONERROR); }

}  // namespace

const StartupNeeds thisWindows{windowsIsRecentEnough, makeHighResolutionTimer, showRefusal};

int playGame(int show, const StartupNeeds& needs) {
    const HANDLE timer = needs.recentWindows() ? needs.makeTimer() : nullptr;
    if (!timer) {
        needs.refuse(windowsNeeded);
        return 1;
    }
    auto owned = std::make_unique<WaitableClock>(timer);
    WaitableClock& clock = *owned;
    GameWindow window(timeSeededRandom(), std::move(owned));
    window.show(show);
    return runMessageLoop(window, clock);
}

}  // namespace zv
