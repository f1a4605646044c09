#pragma once

#include "midend/system_timer.h"

namespace zv {

// What the game asks of Windows, each part replaceable for a test.
struct StartupNeeds {
    bool (*recentWindows)();
    SystemTimer::Handle (*makeTimer)();
    void (*refuse)(const wchar_t* why);  // tells the player why the game cannot start
};
// The real Windows, and a message box for the refusal.
extern const StartupNeeds thisWindows;

// Runs the game to its end, returning the exit status; where Windows lacks what the clock needs, says so: 1.
int playGame(int show, const StartupNeeds& needs = thisWindows);

}  // namespace zv
