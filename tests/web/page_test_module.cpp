// The page's module as the tests build it (test-site/, never site/): the
// shipped module's functions and these beside them, which page_hooks.js
// calls. A random source the player scenarios line up, what the game behind
// the page stands at, where a cell lies on the canvas, and the benchmarks'
// pilot.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "scripted_random.h"
#include "screen_pilot.h"
#include "web/page_module.h"

namespace {

// The draws lined up before the start; then the game's own.
auto lined = std::make_unique<ScriptedRandom>();
ScriptedRandom* const script = lined.get();
std::optional<bench::ScreenPilot> pilot;

zv::Screen* screen() { return zv::pageScreen(); }

}  // namespace

extern "C" {

// The page's start (zv_start) on the draws lined up so far.
EMSCRIPTEN_KEEPALIVE void zv_start_scripted(double ratio) { zv::startPageGame(ratio, std::move(lined)); }
// One more draw of the game's random source, as ScriptedRandom takes it.
EMSCRIPTEN_KEEPALIVE void zv_draw(double draw) { script->push(float(draw)); }

EMSCRIPTEN_KEEPALIVE int zv_interval() { return screen() ? screen()->interval() : 0; }
EMSCRIPTEN_KEEPALIVE int zv_head_column() { return screen() ? int(screen()->game().headx) : 0; }
EMSCRIPTEN_KEEPALIVE int zv_head_row() { return screen() ? int(screen()->game().heady) : 0; }
EMSCRIPTEN_KEEPALIVE int zv_side() { return screen() ? int(screen()->game().boardsize) : 0; }
EMSCRIPTEN_KEEPALIVE double zv_dropped_ticks() { return screen() ? double(screen()->droppedTicks()) : 0; }

// Where cell (column, row) of the geometry's, from 0, stands on the canvas,
// device pixels; an empty box off the board.
EMSCRIPTEN_KEEPALIVE const zv::Box* zv_cell_box(int column, int row) {
    static zv::Box box;
    const zv::BoardGeometry* geometry = screen() ? &screen()->geometry() : nullptr;
    const bool on = geometry && column >= 0 && column < geometry->columns() && row >= 0 && row < geometry->rows();
    box = on ? geometry->box(column, row) : zv::Box{};
    return &box;
}

// The page's wake-up with the benchmarks' pilot steering before every tick.
EMSCRIPTEN_KEEPALIVE int zv_pilot(double now) {
    if (!screen()) return 0;
    if (!pilot) pilot.emplace(*screen());
    return pilot->wake(zv::Screen::Time(std::int64_t(now * 1e6)));
}

}  // extern "C"
