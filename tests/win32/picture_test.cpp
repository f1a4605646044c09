// The window shows the board exactly as the mid-end paints it: the same
// scripted board through the same events on the headless screen, pixel for
// pixel, at 100 %, 150 % and 200 %, with the native buttons where the screen
// placed them, drawn above the board.
#include "game/paints.h"
#include "headless_screen.h"
#include "win32_support.h"

namespace wt {
namespace {

class Identity : public Win32Test, public ::testing::WithParamInterface<int> {};

TEST_P(Identity, TheBoardOnScreenIsTheSharedPaintingPixelForPixel) {
    const int dpi = GetParam();
    auto source = std::make_unique<ScriptedRandom>();
    ScriptedRandom& script = *source;
    lineUpBoard(script, 50);
    HeadlessScreen headless(std::move(source));
    open();
    const auto press = [&](zv::Integer code) {
        key(WPARAM(code));
        headless.screen.key(headless.now, zv::KeyInput{zv::KeyInput::Kind::Named, std::uint32_t(code)}, {},
                            zv::Focus::Board);
    };
    // Moved to a monitor of this scale; then right, three ticks, and P, which
    // shows Pause above the board.
    RECT place;
    GetWindowRect(hwnd(), &place);
    SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), LPARAM(&place));
    headless.screen.setRatio(dpi / 96.0);
    press(VK_RIGHT);
    ticks(3);
    for (int i = 0; i < 3; ++i) {
        script.push(keepFood);
        headless.tick();
    }
    press('P');
    ASSERT_TRUE(IsWindowVisible(button(zv::Button::Pause)));

    const Picture picture(hwnd());
    ASSERT_EQ(picture.width, headless.width());
    ASSERT_EQ(picture.height, headless.height());
    // The head's disc and the body are in it.
    const zv::Box head = geometry().cellBox(headCell());
    ASSERT_EQ(headless.at(head.x + head.width / 2, head.y + head.height / 2), zv::paints::head);
    ASSERT_EQ(headless.at(head.x - head.width / 2, head.y + head.height / 2), zv::paints::body);
    // Windows draws the buttons, with its own text: everything else must match.
    std::vector<RECT> buttons;
    for (const auto& [which, view] :
         {std::pair{zv::Button::Pause, headless.pause}, std::pair{zv::Button::GameOver, headless.gameover}}) {
        ASSERT_EQ(IsWindowVisible(button(which)) != FALSE, view.shown);
        if (!view.shown) continue;
        RECT r;
        GetWindowRect(button(which), &r);
        MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        const zv::Box place = geometry().toDevice(view.place);
        EXPECT_EQ((zv::Box{r.left, r.top, r.right - r.left, r.bottom - r.top}), place);
        const int x = place.x + place.width / 2, y = place.y + 3;
        EXPECT_NE(picture.at(x, y), headless.at(x, y)) << "the board's picture over the button's face";
        buttons.push_back(r);
    }
    long differ = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const POINT p{x, y};
            bool onButton = false;
            for (const RECT& r : buttons) onButton = onButton || PtInRect(&r, p);
            if (onButton || picture.at(x, y) == headless.at(x, y)) continue;
            if (differ++ == 0)
                ADD_FAILURE() << "first at (" << x << "," << y << "): " << describe(picture.at(x, y)) << " not "
                              << describe(headless.at(x, y));
        }
    EXPECT_EQ(differ, 0);
}

INSTANTIATE_TEST_SUITE_P(Dpi, Identity, ::testing::Values(96, 144, 192));

}  // namespace
}  // namespace wt
