#include "window/description.h"

namespace zv::description {
namespace {

CommandButton button(std::string_view caption, float left, int tabIndex) {
    return CommandButton{std::string(caption), left, 3240, 1095, 735, false, tabIndex};
}

Shape templateShape() {
    Shape s;
    s.visible = true;
    s.fill = templateFill;
    s.outline = templateOutline;
    s.kind = ShapeKind::Rectangle;
    s.left = 1920;
    s.top = 2040;
    s.width = 1215;
    s.height = 495;
    return s;
}

}  // namespace

Controls makeControls() {
    return Controls{
        .pause = button(pauseCaption, 3600, 1),
        .gameover = button(gameoverCaption, 1800, 0),
        .Timer1 = GameTimer{0},
        .Block = BlockArray(templateShape()),
    };
}

}  // namespace zv::description
