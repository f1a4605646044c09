#pragma once

#include <span>

#include "midend/menu_table.h"
#include "midend/screen.h"

namespace zv {

// A menu bar for a front end that draws its own (a browser has none): which
// menu is open and which item or title is lit, under the mouse and the keys
// (Alt, the arrows, Enter, Escape) as a desktop's bar is. What the player
// does with it reaches the game through the Screen; the keys' focus stays
// where it was meanwhile.
class DrawnMenuBar {
public:
    using Time = Screen::Time;
    DrawnMenuBar(Screen& screen, std::span<const MenuBarTitle> bar) : screen_(screen), bar_(bar) {}

    // The bar's height in logical pixels at full size, a desktop's menu bar's:
    // the window's room holds it above the board (Screen::setRoom).
    static constexpr double height = 19;

    int open() const { return open_; }                 // the open menu's title, or -1
    int item() const { return item_; }                 // its lit item, or -1
    int title() const { return keys_ ? title_ : -1; }  // the lit title while the bar has the keys
    bool active() const { return open_ >= 0 || keys_; }

    // A press on a title (its menu opens or closes), the mouse onto a title
    // (it opens if another is open) or onto an item (lit), an item or a
    // command clicked, a press anywhere else (all closes).
    enum class Mouse { Press, Enter, Point, Choose, Click, Away };
    void mouse(Time now, Mouse what, int title, int item, Focus holder);
    // Alt on its own: the bar takes the keys, or gives them back.
    void altAlone();
    // The keys a bar answers to: the arrows, Enter or Space to choose,
    // Escape, Tab or Alt to close; any other is swallowed.
    enum class Key { Left, Right, Up, Down, Choose, Close, Other };
    // The bar's key for a key's code (keys.h); Alt, which has none, closes.
    static Key keyOf(KeyCode code);
    // A key while a menu is open or the bar has the keys: all of them are
    // the bar's then. False when neither.
    bool key(Time now, Key key, Focus holder);

private:
    bool hasItems(int t) const { return t >= 0 && std::size_t(t) < bar_.size() && !bar_[std::size_t(t)].items.empty(); }
    void show(Time now, int t, bool fromKeys, Focus holder);
    void close() {
        open_ = item_ = -1;
        keys_ = false;
    }
    void light(int t) {
        close();
        keys_ = true;
        title_ = t;
    }

    Screen& screen_;
    std::span<const MenuBarTitle> bar_;
    int open_ = -1;
    int item_ = -1;
    int title_ = 0;
    bool keys_ = false;
};

}  // namespace zv
