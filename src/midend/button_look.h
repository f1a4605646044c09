#pragma once

#include <string_view>

#include "midend/surface.h"

namespace zv {

// How the window's buttons look on every front end: the caption, and the
// font it is set in (a bold sans-serif of the same size where the face is
// missing).
struct ButtonLook {
    std::string_view caption;
    std::string_view face;
    double points = 0;
    int weight = 0;  // 400 regular, 700 bold

    // The font's height in device pixels at this device-pixel ratio, as a
    // screen of 96 dots per inch counts a point.
    int pixels(double ratio) const;
};

ButtonLook buttonLook(Button button);

}  // namespace zv
