#include "win32/startup.h"

#include <memory>

#include "midend/windows_version.h"
#include "win32/game_window.h"
#include "win32/message_loop.h"
#include "win32/windows_support.h"

namespace zv {

const StartupNeeds thisWindows{windowsIsRecentEnough, SystemTimer::make, [](const wchar_t* why) {
                                   MessageBoxW(nullptr, why, L"Zorvane", MB_OK | MB_ICONERROR);
                               }};

int playGame(int show, const StartupNeeds& needs) {
    const SystemTimer::Handle timer = needs.recentWindows() ? needs.makeTimer() : SystemTimer::none;
    if (timer == SystemTimer::none) {
        needs.refuse(windowsNeeded);
        return 1;
    }
    auto owned = std::make_unique<SystemAlarm>(timer);
    SystemAlarm& clock = *owned;
    GameWindow window(timeSeededRandom(), std::move(owned));
    window.show(show);
    return runMessageLoop(window, clock);
}

}  // namespace zv
