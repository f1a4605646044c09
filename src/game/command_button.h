#pragma once

#include <string>

namespace zv {

// A push button of the window, in twips from the top-left of the inner area.
struct CommandButton {
    std::string caption;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool shown = false;
    int tabIndex = 0;

    void show() { shown = true; }
    void hide() { shown = false; }
};

}  // namespace zv
