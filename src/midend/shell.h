#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/random_source.h"
#include "game/state.h"
#include "midend/geometry.h"
#include "midend/surface.h"

namespace zv {

// What the screen must do after a handler has run.
struct ScreenUpdate {
    // Quit: stop the clock and end the program; nothing else applies.
    bool ended = false;
    // A new board was loaded: lay out the window anew (inner area, geometry)
    // and paint the whole board. Otherwise repaint just `cells` (valid until
    // the next handler runs).
    bool rebuild = false;
    std::span<const std::int16_t> cells;
    Box inner;  // logical pixels
    ButtonView pause;
    ButtonView gameover;
    std::optional<std::string> title;  // only when it changed
    int interval = 0;                   // the clock's; 0 stops it
    std::optional<Focus> focus;         // where the keys must go, when they must move
};

// The part every front end shares between the game and the toolkit. A front
// end forwards each event as a handler to run() and brings its screen in
// line with the update it gets back; it draws the board through the
// geometry and paintArea().
class Shell {
public:
    explicit Shell(std::unique_ptr<RandomSource> random = std::make_unique<TimeSeededRandom>());

    zorvane& game() { return game_; }
    const zorvane& game() const { return game_; }
    const BoardGeometry& geometry() const { return geometry_; }
    // True when the ratio changed and the whole board must be painted again.
    bool setDevicePixelRatio(double ratio) { return geometry_.setRatio(ratio); }

    // Loads the window: the first board stands, title included, before the
    // window is ever shown.
    ScreenUpdate start();

    // Runs a handler of the game, given the focus before it; nothing at all
    // once the game has ended.
    template <typename Handler>
    std::optional<ScreenUpdate> run(Handler&& handler, Focus had = Focus::Board) {
        if (game_.ended()) return std::nullopt;
        handler(game_);
        return collect(had);
    }

    // Where the keys must go after a handler: a button that is hidden while
    // it holds the focus must hand it on, or every key would be lost.
    static std::optional<Focus> focusAfter(Focus had, bool pauseShown, bool gameoverShown);

private:
    ScreenUpdate collect(Focus had);

    zorvane game_;
    BoardGeometry geometry_;
    std::vector<std::int16_t> changed_;  // kept, so a tick allocates nothing
    long shownLoad_ = -1;
    std::string shownTitle_;
};

}  // namespace zv
