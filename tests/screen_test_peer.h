#pragma once

#include "midend/screen_core.h"

namespace zv {

// The game behind a Screen, for a test to set up what no handler would.
class ScreenTestPeer {
public:
    static zorvane& game(Screen& screen) { return screen.core_->shell_.game(); }
    // Where the screen last placed a button.
    static Box place(Screen& screen, Button button) { return screen.core_->shown_[button == Button::Pause ? 0 : 1].place; }
};

}  // namespace zv
