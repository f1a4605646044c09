#pragma once

#include "game/numbers.h"
#include "game/rgb.h"

namespace zv {

enum class ShapeKind : Integer { Rectangle = 0, Circle = 3 };

// One element of the cell array: an opaque figure with a one-pixel outline.
// Place and size are in twips from the top-left corner of the inner area.
struct Shape {
    bool visible = false;
    Rgb fill;
    Rgb outline;
    ShapeKind kind = ShapeKind::Rectangle;
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

}  // namespace zv
