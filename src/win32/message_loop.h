#pragma once

#include "win32/game_window.h"
#include "win32/waitable_clock.h"

namespace zv {

// Runs the window's messages and the clock's wake-ups until the game ends. It
// sleeps until a message arrives or the clock's timer fires, whichever is
// first, so a stopped clock costs no wake-ups. Returns the exit status.
int runMessageLoop(GameWindow& window, WaitableClock& clock);

// Dispatches the messages waiting now, a focused button's keys through the
// window first (Tab and the menus' shortcuts); false once the program must end.
bool pumpMessages(GameWindow& window);

}  // namespace zv
