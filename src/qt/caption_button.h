#pragma once

#include <QPushButton>

#include "midend/button_look.h"

namespace zv {

// One of the window's buttons, in the game's button font, hidden until the
// game shows it. Its caption wraps onto a second line where it does not fit
// on one, as "Game Over" must in the button's small box. While it holds the
// focus it keeps every key: Space presses it, and the rest go on to the
// window's Screen, which gives them no part in the game.
class CaptionButton final : public QPushButton {
public:
    CaptionButton(const ButtonLook& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zv
