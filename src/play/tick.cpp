// The game's step of time: move the head, keep food coming, judge the head's
// cell, move the tail, paint, score and remember the head in the trail.
#include <charconv>
#include <string>

#include "game/paints.h"
#include "game/state.h"

namespace zv {
namespace {

constexpr int growthCycle = 250;
constexpr int tailHoldsWhileAtMost = 10;
constexpr float expiryChance = 0.001f;

// A number as the title shows it: one space, then its digits.
void appendTitleForm(std::string& title, double value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
    title += ' ';
    title.append(digits, result.ptr);
}

bool showsFoodOrBlueBlock(const BlockArray& cells, Integer n) {
    return cells.visible(n) && (cells.fill(n) == paints::food || cells.fill(n) == paints::blueBlock);
}

}  // namespace

void zorvane::Timer1_Timer() {
    const long board = loadCount();

    double x = headx;
    double y = heady;
    if (direction == "up")
        y -= 1;
    else if (direction == "down")
        y += 1;
    else if (direction == "left")
        x -= 1;
    else if (direction == "right")
        x += 1;

    // Resumed after crashing into the wall ring and sent on outward: there is
    // no cell out there, so the head stays put and the game halts again.
    if (x < 1 || x > cols || y < 1 || y > rows) {
        gameover().show();
        Timer1().interval = 0;
        return;
    }
    headx = x;
    heady = y;
    headcell = cellAt(headx, heady);

    if (!foodup) makefood();
    const float r = rnd();
    if (foodup && r < expiryChance) toolate();

    hit();
    // Enough food brings a new board, which has already run its own first tick.
    if (loadCount() != board) return;

    grow();

    BlockArray& cells = Block();
    if (!cells.visible(headcell)) {
        cells.show(headcell);
        cells.setKind(headcell, ShapeKind::Circle);
        cells.setFill(headcell, paints::head);
    }
    // A head that did not move has crashed into its own cell: that cell is
    // the crash cell, not body.
    const Integer previousHead = trail.at(std::size_t(headpos));
    if (previousHead != headcell) {
        cells.setKind(previousHead, ShapeKind::Rectangle);
        cells.setFill(previousHead, paints::body);
    }

    score += 0.5;
    if (Int(score) > best) best = Int(score);
    writeTitle();

    headpos += 1;
    if (headpos > trailLength) headpos = 1;
    trail.at(std::size_t(headpos)) = headcell;
}

void zorvane::writeTitle() {
    caption_.assign("Score: ");
    appendTitleForm(caption_, Int(score));
    caption_ += '/';
    appendTitleForm(caption_, best);
}

double zorvane::trailSpan() const {
    const double span = headpos - tailpos;
    return span < 0 ? span + trailLength : span;
}

void zorvane::grow() {
    growtick += 1;
    if (growtick == growthCycle) growtick = 0;
    // Only a snake that keeps crashing and resuming over its own cells can
    // span the whole ring; its tail then moves on regardless, so the head
    // never overwrites a cell the tail has still to hide.
    if (growtick > tailHoldsWhileAtMost || trailSpan() >= trailLength - 1) {
        tailpos += 1;
        if (tailpos > trailLength) tailpos = 1;
        // The tail can reach a cell it has cleared before (the head crashed
        // into the body and play went on, or a meal sent the tail back): food
        // or a blue block that has landed there since must stay in play.
        const Integer cell = trail.at(std::size_t(tailpos));
        if (!showsFoodOrBlueBlock(Block(), cell)) Block().hide(cell);
    }
}

}  // namespace zv
