#pragma once

#include <windows.h>

namespace zv {

// What starting the game asks of Windows, each part replaceable so that a
// test can play a Windows that lacks it.
struct StartupNeeds {
    bool (*recentWindows)();
    HANDLE (*makeTimer)();
    // Tells the player why the game cannot start.
    void (*refuse)(const wchar_t* why);
};
// The real Windows, and a message box for the refusal.
extern const StartupNeeds thisWindows;

// Opens the game's window and runs it until it ends; returns the exit status.
// On a Windows that lacks what the game needs it opens no window, says what
// is needed, and returns 1: the game's clock would never tick there.
int playGame(int show, const StartupNeeds& needs = thisWindows);

}  // namespace zv
