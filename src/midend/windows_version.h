#pragma once

#include "midend/system_timer.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace zv {

// Whether this is Windows 10 version 1803 (build 17134) or later, the first
// with the high-resolution timer the game's clock needs; false on any other
// system.
bool windowsIsRecentEnough();

// The same rule for a version as Windows numbers it.
bool isRecentWindows(unsigned major, unsigned minor, unsigned build);

// What the player is told on a Windows the game cannot run on.
inline constexpr char windowsNeeded[] = "Zorvane needs Windows 10 version 1803 or later.";

// What the game asks of Windows at its start, each part replaceable for a test.
struct StartupNeeds {
    bool (*recentWindows)();
    SystemTimer::Handle (*makeTimer)();
    void (*refuse)(const char* why);  // tells the player why the game cannot start
};

// The timer the game's clock runs on; where Windows lacks it, none, the
// player told why. An older Windows may make a timer, only not a precise one.
SystemTimer::Handle clockTimerFor(const StartupNeeds& needs);

#ifdef _WIN32
// A function of a Windows library, looked up as the program runs; null where
// this Windows lacks it. Imported, it would keep an older Windows from even
// loading the program to tell the player why.
template <typename Function>
Function windowsFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(library), name)));
}
#endif

}  // namespace zv
