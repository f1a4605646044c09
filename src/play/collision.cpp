// Judging the cell the head has just entered.
#include "game/paints.h"
#include "game/state.h"

namespace zv {

// Food is known only by its fill: a shown cell of exactly the food colour.
// Any other shown cell ends the game.
void zorvane::hit() {
    const long board = loadCount();
    if (Block().visible(headcell) && Block().fill(headcell) == paints::food) gotfood();
    // A meal that brought a new board leaves nothing of this one to judge.
    if (loadCount() != board) return;
    if (Block().visible(headcell)) {
        gameover().show();
        Timer1().interval = 0;
        Block().setFill(headcell, paints::crash);
    }
}

}  // namespace zv
