#pragma once

#include <optional>

#include "midend/surface.h"

namespace zv {

// The parts of a window that can hold the keys, as a front end knows them (a
// widget, a window handle): the board and the two buttons. One table takes
// them to the Screen's Focus and Button and back, the same on every front end.
template <typename Part>
struct WindowParts {
    Part board{};
    Part pause{};
    Part gameover{};

    Part& of(Button button) { return button == Button::Pause ? pause : gameover; }
    // The part that takes the keys for this focus: the board unless a button.
    Part holding(Focus focus) const {
        if (focus == Focus::Pause) return pause;
        return focus == Focus::GameOver ? gameover : board;
    }
    // Who holds the keys: none of the window, one of these, or another part.
    Focus focusOf(Part holder) const {
        if (holder == Part{}) return Focus::Nothing;
        if (holder == board) return Focus::Board;
        if (holder == pause) return Focus::Pause;
        return holder == gameover ? Focus::GameOver : Focus::Elsewhere;
    }
    // The button a focus is on, if any.
    static std::optional<Button> buttonOf(Focus focus) {
        if (focus == Focus::Pause) return Button::Pause;
        return focus == Focus::GameOver ? std::optional(Button::GameOver) : std::nullopt;
    }
};

}  // namespace zv
