// Eating food: score, a blue block, five cells of growth, and a new board once
// enough food has been eaten.
#include "game/state.h"

namespace zv {
namespace {
constexpr int pointsPerFood = 100;
constexpr int growthPerFood = 5;
}  // namespace

void zorvane::gotfood() {
    foodup = false;
    score += pointsPerFood;
    levelpoints = addLong(levelpoints, pointsPerFood);
    randomblock();
    // Sending the tail back along the trail makes it stand still for five steps.
    // Never so far back that the ring would run full.
    if (tailpos > growthPerFood && trailSpan() + growthPerFood < trailLength - 1) tailpos -= growthPerFood;
    Block().hide(headcell);

    const Long threshold = mulInteger(boardsize, pointsPerFood);
    if (levelpoints > threshold) {
        levelpoints = subLong(levelpoints, threshold);
        Unload();
        Show();
    }
}

}  // namespace zv
