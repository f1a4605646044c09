#pragma once

#include <QPushButton>

#include "midend/button_look.h"

namespace zv {

// A window's button: its caption wraps ("Game Over"); of its keys it takes Space, the Screen the rest.
class CaptionButton final : public QPushButton {
public:
    CaptionButton(const ButtonLook& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zv
