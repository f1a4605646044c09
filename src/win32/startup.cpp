#include "win32/startup.h"

#include <memory>

#include "win32/game_window.h"
#include "win32/message_loop.h"

namespace zv {

// The sentence is plain ASCII, the same in every code page.
const StartupNeeds thisWindows{windowsIsRecentEnough, SystemTimer::make, [](const char* why) {
                                   MessageBoxA(nullptr, why, "Zorvane", MB_OK | MB_ICONERROR);
                               }};

int playGame(int show, const StartupNeeds& needs) {
    const SystemTimer::Handle timer = clockTimerFor(needs);
    if (timer == SystemTimer::none) return 1;
    auto owned = std::make_unique<SystemAlarm>(timer);
    SystemAlarm& clock = *owned;
    GameWindow window(timeSeededRandom(), std::move(owned));
    window.show(show);
    return runMessageLoop(window, clock);
}

}  // namespace zv
