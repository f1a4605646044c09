#pragma once

#include "midend/screen_core.h"

namespace zv {

// The game behind a Screen, for a test to set up what no handler would.
class ScreenTestPeer {
public:
    static zorvane& game(Screen& screen) { return screen.core_->shell_.game(); }
};

}  // namespace zv
