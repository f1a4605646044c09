#include "midend/button_look.h"

#include <cmath>

#include "window/description.h"

namespace zv {

int ButtonLook::pixels(double ratio) const { return int(std::lround(points * ratio * 96 / 72)); }

ButtonLook buttonLook(Button button) {
    return {button == Button::Pause ? description::pauseCaption : description::gameoverCaption, description::buttonFont,
            description::buttonPointSize, description::buttonWeight};
}

}  // namespace zv
