// The game as the page's script sees it: plain C functions over the shell
// layer. The page forwards each event with its time stamp (milliseconds of
// performance.now()), reads back the view below and copies the changed box
// of the picture to its <canvas>.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "window/key_rules.h"
#include "window/menus.h"
#include "window/shell.h"
#include "window/tick_schedule.h"
#include "window/web/browser_keys.h"
#include "window/web/page_address.h"
#include "window/pixel_canvas.h"

namespace zv {
namespace {

// Filled after every call, read by the page as 32-bit integers.
struct View {
    std::int32_t ended = 0;
    std::int32_t width = 0;  // the picture, device pixels
    std::int32_t height = 0;
    Box inner;  // logical pixels
    std::int32_t interval = 0;
    std::int32_t pauseShown = 0;
    Box pause;
    std::int32_t gameoverShown = 0;
    Box gameover;
    std::int32_t focus = -1;  // where the keys must go now, or -1
    std::int32_t rebuilds = 0;
    Box dirty;  // device pixels to copy, after takeDirty
};

// The same boards every time, from a seed the page was given (?seed=N), so
// that a test knows where the obstacles stand.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(double seed) : seed_(seed) {}
    void seedFromTimeOfDay() override { random_.seed(seed_); }
    float draw() override { return random_.draw(); }

private:
    TimeSeededRandom random_;
    double seed_;
};

class PageGame {
public:
    explicit PageGame(std::unique_ptr<RandomSource> random) : shell_(std::move(random)) {}

    void start(double ratio) {
        shell_.setDevicePixelRatio(ratio);
        apply(shell_.start(), Time{});
    }

    // True when the whole board had to be painted again. Where there is no
    // room for the picture at the new ratio, the board stays at the old one.
    bool setRatio(double ratio) {
        const double was = shell_.geometry().ratio();
        if (!shell_.setDevicePixelRatio(ratio)) return false;
        if (paintAll()) return true;
        shell_.setDevicePixelRatio(was);
        return false;
    }

    // Every tick due by `now`, each as the clock's own event, caught up as
    // every clock of the game does; at most `most` of them, when it is given.
    int catchUp(double now, int most = 0) {
        const Time t = toTime(now);
        const auto tick = [&] { run([](zorvane& z) { z.Timer1_Timer(); }, t); };
        // Ending the game stops the clock, which ends the run as well.
        return most > 0 ? clock_.runDueTicks(t, most, Time{}, tick) : clock_.runDueTicks(t, Time{}, tick);
    }

    template <typename Handler>
    void event(double now, int focus, Handler&& handler) {
        catchUp(now);
        focus_ = Focus(focus);
        run(std::forward<Handler>(handler), toTime(now));
    }

    // Whether the game took the key: a menu's shortcut chooses its item.
    // While a button holds the focus only the shortcuts reach the game.
    bool key(double now, int focus, const char* key, const char* code, HeldModifiers held, bool shortcutsOnly) {
        const auto down = pageKeyDown(key, code, held);
        if (!down) return false;
        for (const MenuTitle& title : menuTitles)
            for (const auto& item : title.items)
                if (item.shortcut == down->keyCode) {
                    event(now, focus, [&](zorvane& z) { (z.*title.chosen)(Integer(item.index)); });
                    return true;
                }
        if (shortcutsOnly) return false;
        event(now, focus, [&](zorvane& z) { z.Form_KeyDown(down->keyCode, down->shift); });
        return true;
    }

    double nextDue() const {
        const auto due = clock_.nextDue();
        return due ? double(due->count()) / 1e6 : -1;
    }

    std::int64_t droppedTicks() const { return clock_.droppedTicks(); }
    View& view() { return view_; }
    const BoardGeometry& geometry() const { return shell_.geometry(); }
    const std::string& title() const { return title_; }
    PixelCanvas& canvas() { return canvas_; }

private:
    using Time = TickSchedule::Time;
    static Time toTime(double ms) { return Time(std::int64_t(ms * 1e6)); }

    template <typename Handler>
    void run(Handler&& handler, Time now) {
        view_.focus = -1;
        if (auto update = shell_.run(std::forward<Handler>(handler), focus_)) apply(*update, now);
    }

    bool paintAll() {
        const Box device = shell_.geometry().toDevice(inner_);
        if (!canvas_.resize(device.width, device.height)) return false;
        paintArea(canvas_, shell_.geometry(), shell_.game().Block(), device);
        view_.width = device.width;
        view_.height = device.height;
        return true;
    }

    void apply(const ScreenUpdate& update, Time now) {
        if (update.ended) {
            view_.ended = 1;
            clock_.setInterval(0, now);
            view_.interval = 0;
            return;
        }
        if (update.rebuild) {
            inner_ = update.inner;
            view_.inner = inner_;
            ++view_.rebuilds;
            paintAll();
        } else {
            repaintCells(canvas_, shell_.geometry(), shell_.game().Block(), update.cells);
        }
        view_.pauseShown = update.pause.shown;
        view_.pause = update.pause.place;
        view_.gameoverShown = update.gameover.shown;
        view_.gameover = update.gameover.place;
        if (update.title) title_ = *update.title;
        clock_.setInterval(update.interval, now);
        view_.interval = clock_.interval();
        if (update.focus) {
            view_.focus = int(*update.focus);
            focus_ = *update.focus;
        }
    }

    Shell shell_;
    TickSchedule clock_;
    PixelCanvas canvas_;
    Box inner_;
    Focus focus_ = Focus::Board;
    View view_;
    std::string title_;
};

std::unique_ptr<PageGame> page;

// Nothing before zv_start: each call then answers as for no board at all
// (an empty view, no clock, no key taken) and changes nothing.
PageGame* game() { return page.get(); }
const View noView;

std::string text_;  // the last string handed to the page

const char* hand(std::string s) {
    text_ = std::move(s);
    return text_.c_str();
}

const MenuTitle* titleAt(int title) {
    return title >= 0 && std::size_t(title) < menuTitles.size() ? &menuTitles[std::size_t(title)] : nullptr;
}

}  // namespace
}  // namespace zv

using zv::game;

extern "C" {

// `seed` is the address's ?seed= as it stands there; without a seed in it,
// new boards come from the time of day, as the game has them.
EMSCRIPTEN_KEEPALIVE void zv_start(double ratio, const char* seed) {
    std::unique_ptr<zv::RandomSource> random;
    if (const auto s = zv::seedFrom(seed)) random = std::make_unique<zv::SeededRandom>(*s);
    else random = std::make_unique<zv::TimeSeededRandom>();
    zv::page = std::make_unique<zv::PageGame>(std::move(random));
    game()->start(ratio);
}
EMSCRIPTEN_KEEPALIVE int zv_set_ratio(double ratio) { return game() && game()->setRatio(ratio); }
// The ratio the board is drawn at: the screen's, within the geometry's range.
EMSCRIPTEN_KEEPALIVE double zv_ratio() { return game() ? game()->geometry().ratio() : 1; }
EMSCRIPTEN_KEEPALIVE const zv::View* zv_view() { return game() ? &game()->view() : &zv::noView; }
EMSCRIPTEN_KEEPALIVE const char* zv_title() { return game() ? game()->title().c_str() : ""; }
EMSCRIPTEN_KEEPALIVE const std::uint8_t* zv_pixels() { return game() ? game()->canvas().pixels() : nullptr; }
EMSCRIPTEN_KEEPALIVE void zv_take_dirty() {
    if (game()) game()->view().dirty = game()->canvas().takeDirty();
}
// Where a cell stands on the canvas, device pixels: for reading the board back.
EMSCRIPTEN_KEEPALIVE const zv::Box* zv_cell_box(int column, int row) {
    static zv::Box box;
    box = {};
    if (!game()) return &box;
    const auto& geometry = game()->geometry();
    box = column >= 0 && column < geometry.columns() && row >= 0 && row < geometry.rows() ? geometry.box(column, row)
                                                                                            : zv::Box{};
    return &box;
}
EMSCRIPTEN_KEEPALIVE double zv_next_due() { return game() ? game()->nextDue() : -1; }
EMSCRIPTEN_KEEPALIVE int zv_frame(double now, int most) { return game() ? game()->catchUp(now, most) : 0; }
EMSCRIPTEN_KEEPALIVE double zv_dropped_ticks() { return game() ? double(game()->droppedTicks()) : 0; }

EMSCRIPTEN_KEEPALIVE int zv_key(double now, int focus, const char* key, const char* code, int shift, int ctrl, int alt,
                                int shortcutsOnly) {
    return game() && game()->key(now, focus, key, code, {.shift = shift != 0, .ctrl = ctrl != 0, .alt = alt != 0},
                                 shortcutsOnly != 0);
}

// 0 the Pause button, 1 the Game Over button.
EMSCRIPTEN_KEEPALIVE void zv_click(double now, int focus, int button) {
    if (!game()) return;
    if (button == 0) game()->event(now, focus, [](zv::zorvane& z) { z.pause_Click(); });
    if (button == 1) game()->event(now, focus, [](zv::zorvane& z) { z.gameover_Click(); });
}

// The menu bar, from zv::menuTitles.
EMSCRIPTEN_KEEPALIVE int zv_menu_count() { return int(zv::menuTitles.size()); }
EMSCRIPTEN_KEEPALIVE const char* zv_menu_title(int title) {
    const auto* t = zv::titleAt(title);
    return zv::hand(t ? std::string(t->title) : std::string());
}
EMSCRIPTEN_KEEPALIVE int zv_menu_items(int title) {
    const auto* t = zv::titleAt(title);
    return t ? int(t->items.size()) : 0;
}
EMSCRIPTEN_KEEPALIVE const char* zv_menu_item(int title, int item) {
    const auto* t = zv::titleAt(title);
    return zv::hand(t && item >= 0 && std::size_t(item) < t->items.size() ? std::string(t->items[std::size_t(item)].caption)
                                                                        : std::string());
}
EMSCRIPTEN_KEEPALIVE const char* zv_menu_item_key(int title, int item) {
    const auto* t = zv::titleAt(title);
    return zv::hand(t && item >= 0 && std::size_t(item) < t->items.size()
                        ? zv::keyName(t->items[std::size_t(item)].shortcut)
                        : std::string());
}

// A menu opened, an item chosen, or the command on the bar clicked.
EMSCRIPTEN_KEEPALIVE void zv_menu_open(double now, int focus, int title) {
    const auto* t = zv::titleAt(title);
    if (t && t->opened && game()) game()->event(now, focus, [t](zv::zorvane& z) { (z.*t->opened)(); });
}
EMSCRIPTEN_KEEPALIVE void zv_menu_choose(double now, int focus, int title, int item) {
    const auto* t = zv::titleAt(title);
    if (!t || !t->chosen || !game() || item < 0 || std::size_t(item) >= t->items.size()) return;
    const auto index = zv::Integer(t->items[std::size_t(item)].index);
    game()->event(now, focus, [t, index](zv::zorvane& z) { (z.*t->chosen)(index); });
}
EMSCRIPTEN_KEEPALIVE void zv_menu_command(double now, int focus, int title) {
    const auto* t = zv::titleAt(title);
    if (t && t->clicked && game()) game()->event(now, focus, [t](zv::zorvane& z) { (z.*t->clicked)(); });
}

}  // extern "C"
