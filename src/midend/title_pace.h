#pragma once

#include <chrono>
#include <string>

namespace zv {

// The window's title carries the score, which at speed changes at nearly
// every tick: half a point a tick, five hundred new titles a second at 1 ms.
// Setting a title is far dearer than a tick (a window system's round trips,
// the caption drawn again, about a millisecond in a browser), and no one
// reads a title faster than a few times a second. So while the clock runs,
// what ticks change shows at most once every `gap`, at a tick; a title an
// event changed (a new game's nought), and whatever is held back once the
// game stands (paused, crashed, a menu open), shows at once.
class TitlePace {
public:
    using Time = std::chrono::nanoseconds;
    static constexpr Time gap = std::chrono::milliseconds(250);

    // The title to set now for the game's `title`, if it differs from the
    // one shown: at once when asked to, otherwise once `gap` has passed
    // since the last one shown.
    const std::string* take(const std::string& title, Time now, bool atOnce) {
        if (title == shown_ || (!atOnce && now < free_)) return nullptr;
        shown_ = title;
        free_ = now + gap;
        return &shown_;
    }

private:
    std::string shown_;
    Time free_{};  // when a tick's title may next show
};

}  // namespace zv
