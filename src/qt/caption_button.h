#pragma once

#include <QPushButton>

#include "midend/button_look.h"

namespace zv {

// One of the window's buttons, hidden until shown. Its caption wraps ("Game
// Over" in its small box). Of the keys it gets, it takes Space; the window's
// Screen gets the rest.
class CaptionButton final : public QPushButton {
public:
    CaptionButton(const ButtonLook& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zv
