#pragma once

#include "game/block_array.h"
#include "game/command_button.h"
#include "game/game_timer.h"

namespace zv {

// Everything a load creates and an unload destroys.
struct Controls {
    CommandButton pause;
    CommandButton gameover;
    GameTimer Timer1;
    BlockArray Block;
};

}  // namespace zv
