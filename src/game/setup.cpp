// Setting up a board: the variables, the cell size, the window size, the grid
// with its wall ring, and the obstacles.
#include <algorithm>
#include <cmath>

#include "game/paints.h"
#include "game/state.h"

namespace zv {

Integer zorvane::cellAt(double x, double y) const { return toInteger(x + cols * (y - 1)); }

float zorvane::rnd() {
    // Guards Int(cols * r) + 1 against a source that would hand out 1.0.
    const float r = random_->draw();
    return std::clamp(r, 0.0f, std::nextafter(1.0f, 0.0f));
}

void zorvane::init() {
    random_->seedFromTimeOfDay();
    if (restartflag == True) {
        score = 0;
        levelpoints = 0;
    }
    foodup = false;
    restartflag = False;
    if (boardsize == 0) boardsize = 50;
    rows = boardsize;
    cols = boardsize;
    if (speed == 0) speed = 75;
    headpos = 0;
    growtick = 0;
    tailpos = 0;
    direction.clear();
    headx = Int(cols / 2);
    heady = Int(rows / 2);

    // Square cells: the smaller of the two sides that fit the inner area.
    scratch = innerWidth() / cols;
    cellheight = innerHeight() / rows;
    if (scratch > cellheight)
        scratch = cellheight;
    else
        cellheight = scratch;

    BlockArray& cells = Block();
    cells.setSize(0, float(scratch), float(cellheight));
    cells.hide(0);
    const float width = cells[0].width;
    const float height = cells[0].height;
    setOuterSize(float(cols) * width + 100, float(rows) * height + 700);

    CommandButton& button = gameover();
    button.left = innerWidth() / 2 - button.width / 2;
    button.top = innerHeight() / 2 - button.height / 2;

    cells.reserve(int(rows * cols));
    int n = 0;
    for (int r = 1; r <= int(rows); ++r) {
        for (int c = 1; c <= int(cols); ++c) {
            ++n;
            cells.create(n);
            cells.setPlace(n, width * float(c - 1), height * float(r - 1));
            if (r == 1 || c == 1 || r == int(rows) || c == int(cols)) cells.show(n);
        }
    }
}

void zorvane::obstacles() {
    BlockArray& cells = Block();
    const double count = rows * cols / 50;
    for (int i = 1; i <= count; ++i) {
        double x = 0;
        double y = 0;
        do {
            x = Int(rnd() * cols) + 1;
            y = Int(rnd() * cols) + 1;
            headcell = cellAt(x, y);
        } while (cells.visible(headcell) || (x == headx && y == heady));
        cells.setFill(headcell, paints::obstacle);
        cells.show(headcell);
    }
}

}  // namespace zv
