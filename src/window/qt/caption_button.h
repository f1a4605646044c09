#pragma once

#include <QPushButton>
#include <string_view>

namespace zv {

// One of the window's buttons, in the game's button font, hidden until the
// game shows it. Its caption wraps onto a second line where it does not fit
// on one, as "Game Over" must in the button's small box.
class CaptionButton final : public QPushButton {
public:
    CaptionButton(std::string_view caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace zv
