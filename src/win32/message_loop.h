#pragma once

#include "midend/system_alarm.h"
#include "win32/game_window.h"

namespace zv {

// Runs the messages and the clock's wake-ups, asleep between, until the game ends; returns the exit status.
int runMessageLoop(GameWindow& window, SystemAlarm& clock);

// Dispatches the messages waiting now; false once the program must end.
bool pumpMessages(GameWindow& window);

}  // namespace zv
