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
#include <string_view>
#include <type_traits>
#include <utility>

#include "screen_pilot.h"
#include "midend/button_look.h"
#include "midend/pixel_canvas.h"
#include "midend/menu_table.h"
#include "midend/screen.h"
#include "web/browser_keys.h"
#include "web/page_address.h"

namespace zv {
namespace {

// Filled after every call, read by the page as 32-bit integers.
struct View {
    std::int32_t ended = 0;
    std::int32_t width = 0, height = 0;  // the picture, device pixels
    Box inner;                           // logical pixels
    std::int32_t interval = 0;
    std::int32_t pauseShown = 0;
    Box pause;
    std::int32_t gameoverShown = 0;
    Box gameover;
    std::int32_t focus = -1;  // where the keys must go now, or -1
    std::int32_t rebuilds = 0;
    Box dirty;  // device pixels to copy, after takeDirty
    // The menu bar (DrawnMenuBar): the open menu, its lit item, the lit title.
    std::int32_t menuOpen = -1, menuItem = -1, menuTitle = -1;
    std::int32_t titles = 0;  // titles set, so the page sets the tab's title when it moves
};
struct Field {
    const char* name;
    std::size_t offset;
    bool box;
};
#define ZV_FIELD(name) Field{#name, offsetof(View, name), std::is_same_v<decltype(View::name), Box>}
constexpr Field viewFields[] = {
    ZV_FIELD(ended), ZV_FIELD(width), ZV_FIELD(height), ZV_FIELD(inner), ZV_FIELD(interval),
    ZV_FIELD(pauseShown), ZV_FIELD(pause), ZV_FIELD(gameoverShown), ZV_FIELD(gameover), ZV_FIELD(focus),
    ZV_FIELD(rebuilds), ZV_FIELD(dirty), ZV_FIELD(menuOpen), ZV_FIELD(menuItem), ZV_FIELD(menuTitle),
    ZV_FIELD(titles)};
#undef ZV_FIELD

// A box as the page reads it: four 32-bit words.
static_assert(offsetof(Box, x) == 0 && offsetof(Box, y) == 4 && offsetof(Box, width) == 8 &&
              offsetof(Box, height) == 12 && sizeof(Box) == 16);

// A string as JSON has it.
std::string quoted(std::string_view text) {
    std::string s = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') s += '\\';
        s += c;
    }
    return s.append("\"");
}

// What the page needs to know once, so that no number or word is written
// twice: where each field of the view lies, in 32-bit words from its start,
// and which are boxes; the focus's numbers; the buttons' captions and the
// font (CSS) the window says them in.
std::string pageLayout() {
    std::string s = "{\"view\":{";
    for (const Field& f : viewFields)
        s.append(quoted(f.name)).append(":[").append(std::to_string(f.offset / 4)).append(f.box ? ",1]," : ",0],");
    s.back() = '}';
    const std::pair<const char*, Focus> foci[] = {{"Nothing", Focus::Nothing}, {"Board", Focus::Board},
                                                  {"Pause", Focus::Pause},     {"GameOver", Focus::GameOver},
                                                  {"Elsewhere", Focus::Elsewhere}};
    s.append(",\"focus\":{");
    for (const auto& [name, focus] : foci) s.append(quoted(name)).append(":").append(std::to_string(int(focus))).append(",");
    s.back() = '}';
    char font[64];
    // With faces of the same measure where the window's own is missing.
    const ButtonLook look = buttonLook(Button::Pause);
    std::snprintf(font, sizeof font, "%d %gpt \"%.*s\", \"Liberation Sans\", sans-serif", look.weight, look.points,
                  int(look.face.size()), look.face.data());
    s.append(",\"captions\":[").append(quoted(look.caption)).append(",");
    s.append(quoted(buttonLook(Button::GameOver).caption)).append("],\"font\":").append(quoted(font));
    s.append(",\"bar\":19");  // the menu bar's height, CSS pixels at full size
    // The font's size alone, for a window shrunk to fit a small screen.
    return s.append(",\"points\":").append(std::to_string(look.points)).append("}");
}

// The menu bar from the table every front end builds its bar from: each
// title with its items' captions and shortcuts, none for a command.
std::string menuBar() {
    std::string s = "[";
    for (const MenuBarTitle& title : menuTable()) {
        s.append("{\"title\":").append(quoted(title.title)).append(",\"items\":[");
        for (const MenuEntry& item : title.items) {
            s.append("[").append(quoted(item.caption)).append(",");
            s.append(quoted(item.shortcut)).append("],");
        }
        if (!title.items.empty()) s.pop_back();
        s.append("]},");
    }
    s.back() = ']';
    return s;
}

// The page's surface: the board's picture in memory, which the page copies
// to its <canvas>, and the view it reads back after every call.
class PageGame final : public PictureSurface {
public:
    explicit PageGame(std::unique_ptr<RandomSource> random) : screen_(*this, std::move(random)) {}

    Screen& screen() { return screen_; }
    DrawnMenuBar& menus() { return menus_; }
    View& view() {
        view_.menuOpen = menus_.open();
        view_.menuItem = menus_.item();
        view_.menuTitle = menus_.title();
        return view_;
    }
    const std::string& title() const { return title_; }
    PixelCanvas& canvas() { return picture_; }
    // Alt went down on its own, and nothing since: its release is the menu bar's.
    bool altAlone = false;

    // Each call starts afresh: the focus moves only where a call says so.
    PageGame& fresh() {
        view_.focus = -1;
        return *this;
    }
    Screen& call() { return fresh().screen_; }

    double nextDue() const { return due_ ? double(due_->count()) / 1e6 : -1; }

    // The benchmarks' pilot (bench/screen_pilot.h), made on first use.
    int piloted(Time now) { return (pilot_ ? *pilot_ : pilot_.emplace(screen_)).wake(now); }

    bool layOut(const Box& inner, int width, int height) override {
        if (!picture_.resize(width, height)) return false;
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
    void setTitle(const std::string& title) override {
        title_ = title;
        ++view_.titles;
    }
    // The page builds its bar from the same table, through zv_menus.
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
    DrawnMenuBar menus_{screen_, menuTable()};
    View view_;
    std::string title_;
    std::optional<Time> due_;
    std::optional<bench::ScreenPilot> pilot_;
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
// The room the browser's window leaves the page, in CSS pixels, with the menu
// bar's height above the board: the window shrinks to fit where it must.
EMSCRIPTEN_KEEPALIVE int zv_room(double width, double height, double bar) {
    return game() && game()->call().setRoom(width, height, bar);
}
EMSCRIPTEN_KEEPALIVE double zv_fit() { return game() ? game()->screen().fit() : 1; }
// The ratio the board is drawn at: the screen's, within the geometry's range.
EMSCRIPTEN_KEEPALIVE double zv_ratio() { return game() ? game()->screen().geometry().ratio() : 1; }
EMSCRIPTEN_KEEPALIVE const zv::View* zv_view() { return game() ? &game()->view() : &zv::noView; }
EMSCRIPTEN_KEEPALIVE const char* zv_title() { return game() ? game()->title().c_str() : ""; }
// How the page reads the view and what its buttons say (pageLayout), and
// the menu bar (menuBar), as JSON.
EMSCRIPTEN_KEEPALIVE const char* zv_layout() { return zv::hand(zv::pageLayout()); }
EMSCRIPTEN_KEEPALIVE const char* zv_menus() { return zv::hand(zv::menuBar()); }
EMSCRIPTEN_KEEPALIVE const std::uint8_t* zv_pixels() { return game() ? game()->canvas().pixels() : nullptr; }
EMSCRIPTEN_KEEPALIVE void zv_take_dirty() {
    if (game()) game()->view().dirty = game()->canvas().takeDirty();
}
// Where a cell stands on the canvas, device pixels: for reading the board back.
EMSCRIPTEN_KEEPALIVE const zv::Box* zv_cell_box(int column, int row) {
    static zv::Box box;
    const auto* geometry = game() ? &game()->screen().geometry() : nullptr;
    const bool on = geometry && column >= 0 && column < geometry->columns() && row >= 0 && row < geometry->rows();
    box = on ? geometry->box(column, row) : zv::Box{};
    return &box;
}
EMSCRIPTEN_KEEPALIVE double zv_next_due() { return game() ? game()->nextDue() : -1; }
// The wake-up the page was asked for (zv_next_due): the ticks due by `now`,
// at most `most` of them when it is above 0.
EMSCRIPTEN_KEEPALIVE int zv_frame(double now, int most) {
    return game() ? game()->call().wake(zv::toTime(now), {}, most) : 0;
}
// The same with the benchmarks' pilot steering before every tick (?test&pilot).
EMSCRIPTEN_KEEPALIVE int zv_pilot(double now) { return game() ? game()->fresh().piloted(zv::toTime(now)) : 0; }
EMSCRIPTEN_KEEPALIVE double zv_dropped_ticks() { return game() ? double(game()->screen().droppedTicks()) : 0; }

// A key-down (`system`: the Windows or Command key held): the menu bar's
// while it is active, else the screen's from where the focus is (Tab takes
// the focus round the window). Whether the page keeps the key from the
// browser (pageKeepsKey). A key the page leaves to the browser
// (pageKeyDown) never reaches the game.
EMSCRIPTEN_KEEPALIVE int zv_key(double now, int focus, const char* key, const char* code, int shift, int ctrl, int alt,
                                int system, int repeat) {
    if (!game()) return 0;
    game()->altAlone = false;
    const zv::Focus holder = zv::focusOf(focus);
    if (game()->fresh().menus().key(zv::toTime(now), zv::menuBarKey(key), holder)) return 1;
    const zv::HeldModifiers held{.shift = shift != 0, .ctrl = ctrl != 0, .alt = alt != 0};
    const auto down = zv::pageKeyDown(key, code, held);
    const bool taken = down && game()->call().key(zv::toTime(now), *down, holder);
    const bool kept = zv::pageKeepsKey(key, held, system != 0, taken, holder == zv::Focus::Pause || holder == zv::Focus::GameOver);
    game()->altAlone = std::string_view(key) == "Alt" && !repeat && !kept;
    return kept;
}
// A key-up: Alt let go on its own puts the menu bar under the keys, or takes
// it away; then the page keeps it from the browser (1).
EMSCRIPTEN_KEEPALIVE int zv_key_up(const char* key) {
    if (!game()) return 0;
    const bool alone = std::exchange(game()->altAlone, false) && std::string_view(key) == "Alt";
    if (alone) game()->menus().altAlone();
    return alone;
}
// The mouse on the menu bar (DrawnMenuBar::Mouse by number) at a title, or an item of its menu.
EMSCRIPTEN_KEEPALIVE void zv_menu_mouse(double now, int focus, int what, int title, int item) {
    if (game() && what >= 0 && what <= int(zv::DrawnMenuBar::Mouse::Away))
        game()->fresh().menus().mouse(zv::toTime(now), zv::DrawnMenuBar::Mouse(what), title, item, zv::focusOf(focus));
}

// A finger on the board (phase 0 down, 1 move, 2 up, 3 cancelled), at CSS
// pixels of the inner area.
EMSCRIPTEN_KEEPALIVE void zv_touch(double now, int phase, double x, double y) {
    if (game() && phase >= 0 && phase <= 3) game()->call().touch(zv::toTime(now), zv::Screen::Touch(phase), x, y);
}
// The page went out of sight: a running game holds as P would.
EMSCRIPTEN_KEEPALIVE void zv_hidden(double now) {
    if (game()) game()->call().hidden(zv::toTime(now));
}
// 0 the Pause button, 1 the Game Over button.
EMSCRIPTEN_KEEPALIVE void zv_click(double now, int button) {
    if (game() && (button == 0 || button == 1))
        game()->call().click(zv::toTime(now), button == 0 ? zv::Button::Pause : zv::Button::GameOver);
}

}  // extern "C"
