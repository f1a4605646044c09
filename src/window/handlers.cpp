// What the player's keys, clicks and menu choices do.
#include <algorithm>

#include "game/state.h"
#include "window/description.h"
#include "window/keys.h"

namespace zv {

void zorvane::Form_Load() {
    init();
    obstacles();
    Timer1_Timer();
}

void zorvane::Form_KeyDown(Integer keyCode, Integer /*shift*/) {
    // A heading is refused only while the snake heads the opposite way.
    if (keyCode == keys::Up && direction != "down") direction = "up";
    if (keyCode == keys::Down && direction != "up") direction = "down";
    if (keyCode == keys::Left && direction != "right") direction = "left";
    if (keyCode == keys::Right && direction != "left") direction = "right";
    // Once there is a heading, any key (re)starts the clock.
    if (!direction.empty()) Timer1().interval = toLong(speed);
    if (keyCode == keys::P) {
        pause().show();
        Timer1().interval = 0;
    }
}

// Resumes without looking at the heading: with none, the next tick ends the game.
void zorvane::pause_Click() {
    Timer1().interval = toLong(speed);
    pause().hide();
}

void zorvane::gameover_Click() {
    restartflag = True;
    Unload();
    Show();
}

void zorvane::mnuSpeed_Click() {
    pause().show();
    Timer1().interval = 0;
}

void zorvane::mnuSpd_Click(Integer index) {
    speed = index;
    pause().show();
    Timer1().interval = 0;
}

namespace {
constexpr int largestSizeItem() {
    int largest = 0;
    for (const auto& item : description::sizeItems) largest = std::max(largest, item.index);
    return largest;
}
}  // namespace

// The chosen size takes effect with the next board; the wall ring adds two.
static_assert(largestSizeItem() + 2 <= zorvane::largestSide,
              "the trail ring must hold every cell of the largest board");
void zorvane::mnuSz_Click(Integer index) {
    boardsize = addInteger(index, 2);
    gameover().show();
    Timer1().interval = 0;
}

// The shell ends the program as soon as it sees this; nothing runs after it.
void zorvane::mnuQuit_Click() { ended_ = true; }

}  // namespace zv
