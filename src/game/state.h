#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "game/numbers.h"
#include "game/random_source.h"
#include "game/controls.h"

namespace zv {

// The game window: it owns every game variable and, while it is loaded, the
// controls (cells, buttons, clock). Unloading destroys the controls and keeps
// the variables; showing an unloaded window loads it and sets up a new board.
//
// Nothing here knows a toolkit. A shell draws the controls, forwards the
// events to the handlers below and turns Timer1's interval into real ticks.
class zorvane {
public:
    // The trail ring has room for a snake over every cell of the largest
    // board, so the head never writes over a cell the tail has yet to clear.
    static constexpr int largestSide = 102;
    static constexpr int trailLength = largestSide * largestSide;

    explicit zorvane(std::unique_ptr<RandomSource> random = std::make_unique<TimeSeededRandom>());

    // --- Game variables. Whole-number "general" values are held in doubles.
    std::string direction;  // "up", "down", "left", "right" or "" for none
    double headx = 0;
    double heady = 0;
    double speed = 0;  // tick interval in ms
    Integer headcell = 0;
    double rows = 0;
    double cols = 0;
    Integer boardsize = 0;  // side in cells, wall ring included
    double scratch = 0;     // cell width during set-up, then the food's cell
    double cellheight = 0;
    double growtick = 0;
    double tailpos = 0;
    double headpos = 0;
    std::array<Integer, trailLength + 1> trail{};  // ring of head cells, 1..trailLength
    bool foodup = false;
    Integer restartflag = False;
    double score = 0;
    double best = 0;
    Long levelpoints = 0;

    // --- The window and its controls.
    bool loaded() const { return controls_.has_value(); }
    bool onScreen() const { return onScreen_; }
    // Counts loads; a shell compares it to tell that the whole board was rebuilt.
    long loadCount() const { return loadCount_; }
    // Set by Quit: no handler may run afterwards.
    bool ended() const { return ended_; }

    const std::string& Caption() const { return caption_; }
    float innerWidth() const { return innerWidth_; }
    float innerHeight() const { return innerHeight_; }
    void setOuterSize(float width, float height);

    // Valid only while loaded; throw std::logic_error otherwise.
    BlockArray& Block();
    CommandButton& pause();
    CommandButton& gameover();
    GameTimer& Timer1();
    const BlockArray& Block() const;
    const CommandButton& pause() const;
    const CommandButton& gameover() const;
    const GameTimer& Timer1() const;

    void Unload();
    void Show();

    // --- Handlers.
    void Form_Load();
    void Form_KeyDown(Integer keyCode, Integer shift);
    void pause_Click();
    void gameover_Click();
    void mnuSpeed_Click();
    void mnuSpd_Click(Integer index);
    void mnuSz_Click(Integer index);
    void mnuQuit_Click();
    void Timer1_Timer();

    // --- Board set-up, collision, food.
    void init();
    void obstacles();
    void grow();
    void hit();
    void makefood();
    void toolate();
    void gotfood();
    void randomblock();

    // Cell number of column x, row y.
    Integer cellAt(double x, double y) const;

private:
    float rnd();
    // A hidden cell drawn at random, or nothing when every cell is shown.
    std::optional<Integer> freeCell();
    void writeTitle();
    // Trail entries the snake spans, tail end to head.
    double trailSpan() const;

    std::unique_ptr<RandomSource> random_;
    std::optional<Controls> controls_;
    std::string caption_;
    float innerWidth_ = 0;
    float innerHeight_ = 0;
    bool onScreen_ = false;
    bool ended_ = false;
    long loadCount_ = 0;
};

}  // namespace zv
