// The game as the page's script sees it: plain C functions it calls with
// each event and its time stamp (milliseconds of performance.now()), and a
// surface that hands all the game shows to the functions the page gave its
// module (Module.page in page.js), which show it at once, or the picture at
// the next frame.
#include "web/page_module.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "midend/button_look.h"
#include "midend/drawn_menu_bar.h"
#include "web/browser_keys.h"
#include "web/page_address.h"
#include "web/page_layout.h"

namespace zv {
namespace {

using Time = Surface::Time;
Time toTime(double ms) { return Time(std::int64_t(ms * 1e6)); }

// The parts of the page that take the keys, as the page numbers them: the
// board, then the buttons in Button's order. Anything else, such as the page
// itself, counts as the board.
constexpr Focus parts[] = {Focus::Board, Focus::Pause, Focus::GameOver};
Focus focusOf(int part) { return part >= 0 && part < int(std::size(parts)) ? parts[part] : Focus::Board; }

class PageGame final : public PictureSurface {
public:
    explicit PageGame(RandomPtr random) : screen_(*this, std::move(random)) {}

    Screen& screen() { return screen_; }
    DrawnMenuBar& menus() { return menus_; }
    // Alt went down on its own, and nothing since: its release is the menu bar's.
    bool altAlone = false;

    void start(double ratio) {
        ratio_ = ratio;
        // The buttons' captions and the font they are set in, before the first board places them.
        for (const Button button : {Button::Pause, Button::GameOver}) {
            const ButtonLook look = buttonLook(button);
            EM_ASM({ Module.page.look($0, UTF8ToString($1, $2), UTF8ToString($3, $4), $5); }, int(button),
                   look.caption.data(), look.caption.size(), look.face.data(), look.face.size(), look.weight);
        }
        screen_.start(ratio);
    }

    // The room the browser's window leaves the page, CSS pixels, at the
    // screen's ratio; `fingerBar` on an upright touch screen, whose room to
    // spare below the board gives the menu bar a finger's height.
    void setRoom(double width, double height, double ratio, bool fingerBar) {
        roomWidth_ = width;
        fingerBar_ = fingerBar;
        if (ratio != ratio_) screen_.setRatio(ratio_ = ratio);
        // A finger's bar keeps its height however small the board: it comes
        // off the room, where the desktop's bar shrinks with the board.
        const double fixedBar = fingerBar ? barHeight() : 0;
        // The picture's padding may take the window a fraction of a pixel
        // past the room: the board is then fitted into that much less.
        double w = width, h = height - fixedBar;
        for (int tries = 0; tries < 3; ++tries) {
            screen_.setRoom(w, h, fingerBar ? 0 : DrawnMenuBar::height);
            const double fit = screen_.fit(), drawn = drawnRatio();
            const double overWidth = picture_.width() / drawn - width;
            const double overHeight = picture_.height() / drawn + barHeight() - height;
            if (fit >= 1 || (overWidth <= 0 && overHeight <= 0)) break;
            w -= std::max(0.0, overWidth);
            h -= std::max(0.0, overHeight);
        }
        showLayout();
    }

    // Shows the menu bar's open menu, lit item and lit title, where they moved.
    void showMenus() {
        const int now[3] = {menus_.open(), menus_.item(), menus_.title()};
        if (std::equal(std::begin(now), std::end(now), shownMenus_)) return;
        std::copy(std::begin(now), std::end(now), shownMenus_);
        EM_ASM({ Module.page.menus($0, $1, $2); }, now[0], now[1], now[2]);
    }

    // The picture padded, white as the page is, to a size the page can show
    // on whole device pixels, the board at its top left.
    bool layOut(const Box&, int width, int height) override {
        if (!picture_.resize(onCssGrid(width, drawnRatio()), onCssGrid(height, drawnRatio()))) return false;
        showLayout();
        return true;
    }
    void present(std::span<const Box> painted) override {
        for (const Box& b : painted) EM_ASM({ Module.page.present($0, $1, $2, $3); }, b.x, b.y, b.width, b.height);
    }
    void placeButton(Button button, const ButtonView& view) override {
        buttons_[int(button)] = view;
        showButton(button);
    }
    void setTitle(const std::string& title) override { EM_ASM({ Module.page.title(UTF8ToString($0)); }, title.c_str()); }
    void buildMenus(std::span<const MenuBarTitle> bar) override {
        for (const MenuBarTitle& title : bar) {
            EM_ASM({ Module.page.menu(UTF8ToString($0, $1)); }, title.title.data(), title.title.size());
            for (const MenuEntry& item : title.items)
                EM_ASM({ Module.page.item(UTF8ToString($0, $1), UTF8ToString($2, $3)); }, item.caption.data(),
                       item.caption.size(), item.shortcut.data(), item.shortcut.size());
        }
    }
    // On the clock of the events' time stamps, in milliseconds; -1 for none.
    void wakeAt(std::optional<Time> due) override {
        EM_ASM({ Module.page.wakeAt($0); }, due ? double(due->count()) / 1e6 : -1.0);
    }
    void moveFocus(Focus focus) override {
        const auto part = std::find(std::begin(parts), std::end(parts), focus);
        if (part != std::end(parts)) EM_ASM({ Module.page.focus($0); }, int(part - std::begin(parts)));
    }
    void end() override { EM_ASM({ Module.page.end(); }); }

private:
    // Device pixels to a CSS pixel: the board's own ratio, nearer 1 than the
    // screen's where the window is shrunk to fit.
    double drawnRatio() const { return screen_.geometry().ratio() / screen_.fit(); }

    // The picture where it lies in the module's memory, and the window in
    // CSS pixels: the menu bar above the board and the margin that centres
    // it, on whole device pixels too. On a small screen the bar and the
    // buttons shrink with the board.
    void showLayout() {
        const double fit = screen_.fit();
        const double margin = snapToCssGrid(std::max(0.0, (roomWidth_ - picture_.width() / drawnRatio()) / 2), ratio_, fit < 1);
        EM_ASM({ Module.page.layOut({ width: $0, height: $1, at: $2, drawn: $3, fit: $4, bar: $5, margin: $6 }); },
               picture_.width(), picture_.height(), picture_.pixels(), drawnRatio(), fit, barHeight(), margin);
        for (const Button button : {Button::Pause, Button::GameOver}) showButton(button);
    }
    // The menu bar as shown, CSS pixels on whole device pixels: a finger's
    // height, or the desktop's shrunk with the board.
    double barHeight() const {
        const double fit = screen_.fit();
        return fingerBar_ ? snapToCssGrid(fingerHeight, ratio_, false)
                          : snapToCssGrid(DrawnMenuBar::height * fit, ratio_, fit < 1);
    }
    // In CSS pixels and points, shrunk with the window.
    void showButton(Button button) {
        const Box& b = buttons_[int(button)].place;
        const double fit = screen_.fit();
        EM_ASM({ Module.page.place($0, $1, [ $2, $3, $4, $5 ], $6); }, int(button), buttons_[int(button)].shown,
               b.x * fit, b.y * fit, b.width * fit, b.height * fit, buttonLook(button).points * fit);
    }

    Screen screen_;
    DrawnMenuBar menus_{screen_, menuTable()};
    int shownMenus_[3] = {-1, -1, -1};
    ButtonView buttons_[2];
    double ratio_ = 1;  // the screen's
    double roomWidth_ = 0;
    bool fingerBar_ = false;
};

// Nothing before zv_start: each call then changes nothing and answers as for
// no board at all.
std::unique_ptr<PageGame> page;

}  // namespace

void startPageGame(double ratio, RandomPtr random) {
    page = std::make_unique<PageGame>(std::move(random));
    page->start(ratio);
}

Screen* pageScreen() { return page ? &page->screen() : nullptr; }

extern "C" {

// `seed` is the address's ?seed= as it stands there; without a seed in it,
// new boards come from the time of day, as the game has them.
EMSCRIPTEN_KEEPALIVE void zv_start(double ratio, const char* seed) {
    const auto s = seedFrom(seed);
    startPageGame(ratio, s ? seededRandom(*s) : timeSeededRandom());
}
EMSCRIPTEN_KEEPALIVE void zv_room(double width, double height, double ratio, int fingerBar) {
    if (page) page->setRoom(width, height, ratio, fingerBar != 0);
}
// The wake-up the page was asked for: the ticks due by `now`; how many ran.
EMSCRIPTEN_KEEPALIVE int zv_wake(double now) { return page ? page->screen().wake(toTime(now)) : 0; }

// A key-down (`system`: the Windows or Command key held) while `part` holds
// the keys: the menu bar's while it is active, else the screen's (Tab takes
// the focus round the window). Whether the page keeps the key from the
// browser (pageKeepsKey). A key the page leaves to the browser
// (pageKeyDown) never reaches the game.
EMSCRIPTEN_KEEPALIVE int zv_key(double now, int part, const char* key, const char* code, int shift, int ctrl, int alt,
                                int system, int repeat) {
    if (!page) return 0;
    page->altAlone = false;
    const Focus holder = focusOf(part);
    if (page->menus().key(toTime(now), menuBarKey(key), holder)) {
        page->showMenus();
        return 1;
    }
    const HeldModifiers held{.shift = shift != 0, .ctrl = ctrl != 0, .alt = alt != 0};
    const auto down = pageKeyDown(key, code, held);
    const bool taken = down && page->screen().key(toTime(now), *down, holder);
    const bool kept = pageKeepsKey(key, held, system != 0, taken, holder == Focus::Pause || holder == Focus::GameOver);
    page->altAlone = std::string_view(key) == "Alt" && !repeat && !kept;
    return kept;
}
// A key-up: Alt let go on its own puts the menu bar under the keys, or takes
// it away; then the page keeps it from the browser (1).
EMSCRIPTEN_KEEPALIVE int zv_key_up(const char* key) {
    if (!page) return 0;
    const bool alone = std::exchange(page->altAlone, false) && std::string_view(key) == "Alt";
    if (alone) page->menus().altAlone();
    page->showMenus();
    return alone;
}
// The mouse on the menu bar (DrawnMenuBar::Mouse by number) at a title, or an item of its menu.
EMSCRIPTEN_KEEPALIVE void zv_menu_mouse(double now, int part, int what, int title, int item) {
    if (!page || what < 0 || what > int(DrawnMenuBar::Mouse::Away)) return;
    page->menus().mouse(toTime(now), DrawnMenuBar::Mouse(what), title, item, focusOf(part));
    page->showMenus();
}

// A finger on the board (Screen::Touch by number), at CSS pixels of the board.
EMSCRIPTEN_KEEPALIVE void zv_touch(double now, int phase, double x, double y) {
    if (page && phase >= 0 && phase <= int(Screen::Touch::Cancel))
        page->screen().touch(toTime(now), Screen::Touch(phase), x, y);
}
// The page went out of sight: a running game holds as P would.
EMSCRIPTEN_KEEPALIVE void zv_hidden(double now) {
    if (page) page->screen().hidden(toTime(now));
}
// A click on a button, by Button's number.
EMSCRIPTEN_KEEPALIVE void zv_click(double now, int button) {
    if (page && (button == 0 || button == 1)) page->screen().click(toTime(now), Button(button));
}
// The page closed: the program ends, as when the desktop's window is closed.
EMSCRIPTEN_KEEPALIVE void zv_close() {
    if (page) page->screen().close();
}

}  // extern "C"

}  // namespace zv
