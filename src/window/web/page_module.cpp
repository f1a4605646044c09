// The game as the page's script sees it: plain C functions over the
// mid-end. The page forwards each event with its time stamp (milliseconds of
// performance.now()), reads back the view below and copies the changed box
// of the picture to its <canvas>.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "pilot.h"
#include "screen/pixel_canvas.h"
#include "screen/menu_table.h"
#include "screen/screen.h"
#include "window/description.h"
#include "window/web/browser_keys.h"
#include "window/web/page_address.h"

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

// A box as the page reads it: four 32-bit words.
static_assert(offsetof(Box, x) == 0 && offsetof(Box, y) == 4 && offsetof(Box, width) == 8 &&
              offsetof(Box, height) == 12 && sizeof(Box) == 16);

// Where each field of the view lies, in 32-bit words from its start, and
// which are boxes; and the focus's names: the page reads the view by this,
// so no offset or number is written twice.
std::string pageLayout() {
    std::string s = "{\"view\":{";
    const auto field = [&](const char* name, std::size_t offset, bool box) {
        s.append("\"").append(name).append("\":[").append(std::to_string(offset / 4)).append(box ? ",1]," : ",0],");
    };
#define ZV_FIELD(name, box) field(#name, offsetof(View, name), box)
    ZV_FIELD(ended, false);
    ZV_FIELD(width, false);
    ZV_FIELD(height, false);
    ZV_FIELD(inner, true);
    ZV_FIELD(interval, false);
    ZV_FIELD(pauseShown, false);
    ZV_FIELD(pause, true);
    ZV_FIELD(gameoverShown, false);
    ZV_FIELD(gameover, true);
    ZV_FIELD(focus, false);
    ZV_FIELD(rebuilds, false);
    ZV_FIELD(dirty, true);
#undef ZV_FIELD
    s.back() = '}';
    const std::pair<const char*, Focus> foci[] = {{"Nothing", Focus::Nothing}, {"Board", Focus::Board},
                                                  {"Pause", Focus::Pause},     {"GameOver", Focus::GameOver},
                                                  {"Elsewhere", Focus::Elsewhere}};
    s.append(",\"focus\":{");
    for (const auto& [name, focus] : foci) s.append("\"").append(name).append("\":").append(std::to_string(int(focus))).append(",");
    s.back() = '}';
    return s.append("}");
}

// The page's surface: the board's picture in memory, which the page copies
// to its <canvas>, and the view it reads back after every call.
class PageGame final : public Surface {
public:
    explicit PageGame(std::unique_ptr<RandomSource> random) : screen_(*this, std::move(random)) {}

    Screen& screen() { return screen_; }
    View& view() { return view_; }
    const std::string& title() const { return title_; }
    PixelCanvas& canvas() { return canvas_; }

    // Each call starts afresh: the focus moves only where a call says so.
    Screen& call() {
        view_.focus = -1;
        return screen_;
    }

    double nextDue() const { return due_ ? double(due_->count()) / 1e6 : -1; }

    // The benchmarks' pilot (bench/pilot.h), made on first use: it turns the
    // snake between ticks, its key arriving just before the tick it is for,
    // and starts a new game when the snake has crashed, as the desktop's do.
    int pilotTicks(Time now) {
        if (!pilot_) pilot_.emplace(screen_.game(), [this](Integer code) {
            screen_.key(pressAt_, KeyDown{code, 0}, Focus::Board);
        });
        // One tick at a time, each at its due time; the last of the ticks the
        // catch-up allows takes the rest as the clock's own wake-up would.
        const int most = ticksWithin(TickSchedule::catchUpSpan, screen_.interval());
        int ran = 0;
        for (int n = 1; n <= most && screen_.nextDue() && *screen_.nextDue() <= now; ++n) {
            pressAt_ = *screen_.nextDue() - Time(1);
            pilot_->steer();
            if (const auto due = screen_.nextDue()) ran += n < most ? screen_.wake(*due) : screen_.wake(now, {}, 1);
        }
        if (!screen_.nextDue() && view_.gameoverShown) {
            screen_.click(now, Button::GameOver);
            pressAt_ = now;
            pilot_->steer();
        }
        return ran;
    }

    void fillRect(const Box& box, Rgb colour) override { canvas_.fillRect(box, colour); }
    void fillDisc(const Box& square, Rgb fill, Rgb outline, double pen) override {
        canvas_.fillDisc(square, fill, outline, pen);
    }
    bool layOut(const Box& inner, int width, int height) override {
        if (!canvas_.resize(width, height)) return false;
        view_.inner = inner;
        view_.width = width;
        view_.height = height;
        ++view_.rebuilds;
        return true;
    }
    // The canvas keeps the painted box itself; the page copies it once a frame.
    void present(std::span<const Box>) override {}
    void placeButton(Button button, const ButtonView& view) override {
        if (button == Button::Pause) {
            view_.pauseShown = view.shown;
            view_.pause = view.place;
        } else {
            view_.gameoverShown = view.shown;
            view_.gameover = view.place;
        }
    }
    void setTitle(const std::string& title) override { title_ = title; }
    // The page builds its bar from the same table, through zv_menu_*.
    void buildMenus(std::span<const MenuBarTitle>) override {}
    void wakeAt(std::optional<Time> due) override {
        due_ = due;
        view_.interval = screen_.interval();
    }
    void moveFocus(Focus focus) override { view_.focus = int(focus); }
    void end() override {
        view_.ended = 1;
        view_.interval = 0;
    }

private:
    Screen screen_;
    PixelCanvas canvas_;
    View view_;
    std::string title_;
    std::optional<Time> due_;
    std::optional<bench::Pilot> pilot_;
    Time pressAt_{};
};

using Time = Surface::Time;
Time toTime(double ms) { return Time(std::int64_t(ms * 1e6)); }

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

Focus focusOf(int focus) { return focus >= 0 && focus <= int(Focus::Elsewhere) ? Focus(focus) : Focus::Board; }

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
    game()->call().start(ratio);
}
EMSCRIPTEN_KEEPALIVE int zv_set_ratio(double ratio) { return game() && game()->call().setRatio(ratio); }
// The ratio the board is drawn at: the screen's, within the geometry's range.
EMSCRIPTEN_KEEPALIVE double zv_ratio() { return game() ? game()->screen().geometry().ratio() : 1; }
EMSCRIPTEN_KEEPALIVE const zv::View* zv_view() { return game() ? &game()->view() : &zv::noView; }
EMSCRIPTEN_KEEPALIVE const char* zv_title() { return game() ? game()->title().c_str() : ""; }
// How the page reads the view (JSON), and what the window's buttons say and
// the font they say it in (CSS).
EMSCRIPTEN_KEEPALIVE const char* zv_layout() { return zv::hand(zv::pageLayout()); }
EMSCRIPTEN_KEEPALIVE const char* zv_caption(int button) {
    return zv::hand(std::string(button == 0 ? zv::description::pauseCaption : zv::description::gameoverCaption));
}
EMSCRIPTEN_KEEPALIVE const char* zv_button_font() {
    char font[64];
    std::snprintf(font, sizeof font, "%d %gpt \"%.*s\"", zv::description::buttonWeight, zv::description::buttonPointSize,
                  int(zv::description::buttonFont.size()), zv::description::buttonFont.data());
    return zv::hand(font);
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* zv_pixels() { return game() ? game()->canvas().pixels() : nullptr; }
EMSCRIPTEN_KEEPALIVE void zv_take_dirty() {
    if (game()) game()->view().dirty = game()->canvas().takeDirty();
}
// Where a cell stands on the canvas, device pixels: for reading the board back.
EMSCRIPTEN_KEEPALIVE const zv::Box* zv_cell_box(int column, int row) {
    static zv::Box box;
    box = {};
    if (!game()) return &box;
    const auto& geometry = game()->screen().geometry();
    box = column >= 0 && column < geometry.columns() && row >= 0 && row < geometry.rows() ? geometry.box(column, row)
                                                                                            : zv::Box{};
    return &box;
}
EMSCRIPTEN_KEEPALIVE double zv_next_due() { return game() ? game()->nextDue() : -1; }
// The wake-up the page was asked for (zv_next_due): the ticks due by `now`,
// at most `most` of them when it is above 0.
EMSCRIPTEN_KEEPALIVE int zv_frame(double now, int most) {
    return game() ? game()->call().wake(zv::toTime(now), {}, most) : 0;
}
// The same with the benchmarks' pilot steering before every tick (?test&pilot).
EMSCRIPTEN_KEEPALIVE int zv_pilot(double now) { return game() ? game()->call(), game()->pilotTicks(zv::toTime(now)) : 0; }
EMSCRIPTEN_KEEPALIVE double zv_dropped_ticks() { return game() ? double(game()->screen().droppedTicks()) : 0; }

// Whether the game took the key; one the page leaves to the browser
// (pageKeyDown) never reaches it.
EMSCRIPTEN_KEEPALIVE int zv_key(double now, int focus, const char* key, const char* code, int shift, int ctrl, int alt) {
    const zv::HeldModifiers held{.shift = shift != 0, .ctrl = ctrl != 0, .alt = alt != 0};
    const auto down = zv::pageKeyDown(key, code, held);
    return game() && down && game()->call().key(zv::toTime(now), *down, zv::focusOf(focus));
}

// 0 the Pause button, 1 the Game Over button.
// A finger on the board (phase 0 down, 1 move, 2 up, 3 cancelled), at CSS
// pixels of the inner area.
EMSCRIPTEN_KEEPALIVE void zv_touch(double now, int phase, double x, double y) {
    if (game() && phase >= 0 && phase <= 3) game()->call().touch(zv::toTime(now), zv::Screen::Touch(phase), x, y);
}
EMSCRIPTEN_KEEPALIVE void zv_click(double now, int, int button) {
    if (game() && (button == 0 || button == 1))
        game()->call().click(zv::toTime(now), button == 0 ? zv::Button::Pause : zv::Button::GameOver);
}

// The menu bar, from the table every front end builds its bar from.
namespace zv {
namespace {
const MenuBarTitle* titleAt(int title) {
    const auto bar = menuTable();
    return title >= 0 && std::size_t(title) < bar.size() ? &bar[std::size_t(title)] : nullptr;
}
const MenuEntry* entryAt(int title, int item) {
    const MenuBarTitle* t = titleAt(title);
    return t && item >= 0 && std::size_t(item) < t->items.size() ? &t->items[std::size_t(item)] : nullptr;
}
}  // namespace
}  // namespace zv
EMSCRIPTEN_KEEPALIVE int zv_menu_count() { return int(zv::menuTable().size()); }
EMSCRIPTEN_KEEPALIVE const char* zv_menu_title(int title) {
    const auto* t = zv::titleAt(title);
    return zv::hand(t ? std::string(t->title) : std::string());
}
EMSCRIPTEN_KEEPALIVE int zv_menu_items(int title) {
    const auto* t = zv::titleAt(title);
    return t ? int(t->items.size()) : 0;
}
EMSCRIPTEN_KEEPALIVE const char* zv_menu_item(int title, int item) {
    const auto* e = zv::entryAt(title, item);
    return zv::hand(e ? std::string(e->caption) : std::string());
}
EMSCRIPTEN_KEEPALIVE const char* zv_menu_item_key(int title, int item) {
    const auto* e = zv::entryAt(title, item);
    return zv::hand(e && e->functionKey ? "F" + std::to_string(e->functionKey) : std::string());
}

// A menu opened, an item chosen, or the command on the bar clicked.
EMSCRIPTEN_KEEPALIVE void zv_menu_open(double now, int focus, int title) {
    if (game()) game()->call().menuOpened(zv::toTime(now), title, zv::focusOf(focus));
}
EMSCRIPTEN_KEEPALIVE void zv_menu_choose(double now, int focus, int title, int item) {
    if (game()) game()->call().menuChosen(zv::toTime(now), title, item, zv::focusOf(focus));
}
EMSCRIPTEN_KEEPALIVE void zv_menu_command(double now, int focus, int title) {
    if (game()) game()->call().menuCommand(zv::toTime(now), title, zv::focusOf(focus));
}

}  // extern "C"
