#include "midend/drawn_menu_bar.h"

#include <algorithm>

#include "window/keys.h"

namespace zv {

// From the keys a menu opens with its first item lit, from the mouse with
// none. A menu opened from the bar counts as opened from elsewhere.
void DrawnMenuBar::show(Time now, int t, bool fromKeys, Focus holder) {
    const Focus from = active() ? Focus::Elsewhere : holder;
    open_ = title_ = t;
    item_ = fromKeys ? 0 : -1;
    screen_.menuOpened(now, t, from);
}

void DrawnMenuBar::mouse(Time now, Mouse what, int t, int i, Focus holder) {
    if (what == Mouse::Press && hasItems(t)) {
        if (open_ == t) close();
        else show(now, t, false, holder);
    } else if (what == Mouse::Enter && open_ >= 0 && open_ != t && hasItems(t)) {
        show(now, t, false, holder);
    } else if (what == Mouse::Point && open_ == t) {
        item_ = i;
    } else if (what == Mouse::Choose && open_ == t) {
        close();
        screen_.menuChosen(now, t, i, holder);
    } else if (what == Mouse::Click && !hasItems(t)) {
        close();
        screen_.menuCommand(now, t, holder);
    } else if (what == Mouse::Away) {
        close();
    }
}

void DrawnMenuBar::altAlone() {
    if (active()) close();
    else light(0);
}

DrawnMenuBar::Key DrawnMenuBar::keyOf(Integer code) {
    switch (code) {
    case keys::Left: return Key::Left;
    case keys::Right: return Key::Right;
    case keys::Up: return Key::Up;
    case keys::Down: return Key::Down;
    case keys::Return:
    case keys::Space: return Key::Choose;
    case keys::Escape:
    case keys::Tab: return Key::Close;
    default: return Key::Other;
    }
}

bool DrawnMenuBar::key(Time now, Key key, Focus holder) {
    if (!active()) return false;
    const int titles = int(bar_.size());
    const int t = open_ >= 0 ? open_ : title_;
    const bool down = key == Key::Down, press = key == Key::Choose;
    if (key == Key::Close) {
        close();
    } else if (key == Key::Left || key == Key::Right) {
        const int next = (std::max(t, 0) + (key == Key::Left ? titles - 1 : 1)) % titles;
        if (open_ >= 0 && hasItems(next)) show(now, next, true, holder);
        else light(next);
    } else if (open_ >= 0 && (down || key == Key::Up)) {
        const int items = int(bar_[std::size_t(open_)].items.size());
        item_ = item_ < 0 ? (down ? 0 : items - 1) : (item_ + (down ? 1 : items - 1)) % items;
    } else if (open_ >= 0 && press && item_ >= 0) {
        const int chosen = item_;
        close();
        screen_.menuChosen(now, t, chosen, holder);
    } else if (open_ < 0 && (down || press)) {
        if (hasItems(t)) {
            show(now, t, true, holder);
        } else {
            close();
            screen_.menuCommand(now, t, Focus::Elsewhere);
        }
    }
    return true;
}

}  // namespace zv
