#pragma once

// What the player scenarios ask of a front end. Each front end has one small
// driver: it opens the real window on a scripted board with a hand-moved
// clock, hands it events the way its toolkit delivers them, and reads back
// what the player would see.

#include <memory>
#include <string>
#include <string_view>

#include "game/numbers.h"
#include "game/rgb.h"
#include "midend/screen.h"
#include "scripted_random.h"

namespace conformance {

class Driver {
public:
    virtual ~Driver() = default;

    // Opens the game's window, shown and active, on this random source,
    // whose first board the scenario has lined up.
    virtual void open(std::unique_ptr<ScriptedRandom> random) = 0;

    // A key pressed and released where the keys go now, by the game's code
    // for it (keyCodeNamed), with Shift held when asked.
    virtual void key(zv::Integer code, bool shift) = 0;
    // A click on a shown button.
    virtual void click(zv::Button button) = 0;
    // A menu's item chosen with the pointer, or a title without items clicked
    // (item empty).
    virtual void menu(std::string_view title, std::string_view item) = 0;
    // A menu opened as menu() opens it, then closed with Esc, nothing chosen.
    virtual void menuEscaped(std::string_view title) = 0;
    // One finger on the board, in logical pixels of the board's area.
    virtual void touch(zv::Screen::Touch phase, double x, double y) = 0;
    // The clock moved on to its wake-up, which went off. False when no
    // wake-up was set: the clock stands.
    virtual bool tick() = 0;
    // The window closed from its frame.
    virtual void close() = 0;

    // What the player sees.
    virtual std::string title() = 0;
    virtual bool shown(zv::Button button) = 0;
    virtual zv::Focus focus() = 0;
    // The colour in the middle of a cell, read from the window's own pixels.
    virtual zv::Rgb cell(int column, int row) = 0;
    // The board's area in logical pixels: where a finger lands.
    virtual double boardWidth() = 0;
    virtual double boardHeight() = 0;
    // The game behind it: the tick interval (0 while the clock stands), the
    // head's cell, the board's side, whether the program has ended.
    virtual int interval() = 0;
    virtual int headColumn() = 0;
    virtual int headRow() = 0;
    virtual int side() = 0;
    virtual bool ended() = 0;
};

// The game's code of a key by the name a menu shows for it ("Left", "Tab",
// "Space", "Enter", "Esc", "F9", "P").
zv::Integer keyCodeNamed(std::string_view name);

// Registers every scenario as a test of its own, "<suite>.<scenario>", each
// with a fresh driver from `make`.
void registerScenarios(const char* suite, std::unique_ptr<Driver> (*make)());

}  // namespace conformance
