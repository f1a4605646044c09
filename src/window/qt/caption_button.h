#pragma once

#include <QPushButton>

namespace zv {

// A push button whose caption wraps onto a second line where it does not fit
// on one, as "Game Over" must in the button's small box.
class CaptionButton final : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zv
