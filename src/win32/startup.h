#pragma once

#include "midend/windows_version.h"

namespace zv {

// The real Windows, and a message box for the refusal.
extern const StartupNeeds thisWindows;

// Runs the game to its end, returning the exit status; where Windows lacks what the clock needs, 1.
int playGame(int show, const StartupNeeds& needs = thisWindows);

}  // namespace zv
