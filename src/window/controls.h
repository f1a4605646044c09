#pragma once

#include "window/block_array.h"
#include "window/command_button.h"
#include "window/game_timer.h"

namespace zv {

// Everything a load creates and an unload destroys.
struct Controls {
    CommandButton pause;
    CommandButton gameover;
    GameTimer Timer1;
    BlockArray Block;
};

}  // namespace zv
