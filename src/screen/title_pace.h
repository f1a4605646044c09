#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace zv {

// The window's title carries the score, which at speed changes at nearly
// every tick: half a point a tick, five hundred new titles a second at 1 ms.
// Setting a title is far dearer than a tick (a window system's round trips,
// the caption drawn again, about a millisecond in a browser), and no one
// reads a title faster than a few times a second. So a tick's new title
// shows at most once every `gap`; one after an event (a key, a click, a
// menu) shows at once, as the player expects; and a title held back shows
// by itself when its time comes, so the last score always appears.
class TitlePace {
public:
    using Time = std::chrono::nanoseconds;
    static constexpr Time gap = std::chrono::milliseconds(250);

    // The game's title as it stands now.
    void offer(const std::string& title) { wanted_ = title; }
    // The title to set now, if one is due: at once after an event, otherwise
    // once `gap` has passed since the last one shown.
    const std::string* take(Time now, bool afterEvent) {
        if (wanted_ == shown_ || (!afterEvent && now < free_)) return nullptr;
        shown_ = wanted_;
        free_ = now + gap;
        return &shown_;
    }
    // When a title held back is due to show; nothing when none is.
    std::optional<Time> due() const {
        if (wanted_ == shown_) return std::nullopt;
        return free_;
    }

private:
    std::string wanted_;
    std::string shown_;
    Time free_{};  // when a tick's title may next show
};

}  // namespace zv
