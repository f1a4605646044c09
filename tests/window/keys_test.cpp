// Real Qt key events as the game sees them: keys that must not pass for the
// arrows or P, modifiers, and P on every keyboard layout.
#include "window/keys.h"
#include "qt/key_codes.h"
#include "window_support.h"

namespace wt {
namespace {

using Keys = WindowTest;

// The key handler's arguments for each key the board receives, as the key
// rules make them of Qt's events.
class KeyDownSpy final : public QObject {
public:
    explicit KeyDownSpy(QWidget* target) : target_(target) { target_->installEventFilter(this); }
    ~KeyDownSpy() override { target_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto& key = *static_cast<QKeyEvent*>(event);
        if (const auto down = zv::keyDown(zv::keyInput(key), zv::heldModifiers(key)))
            seen.push_back({int(down->keyCode), int(down->shift)});
        return false;
    }
    std::vector<std::pair<int, int>> seen;

private:
    QWidget* target_;
};

// Keys whose Qt codes match the arrows' or P's key codes must not pass for them.
TEST_F(Keys, OtherKeysDoNothingWhileWaiting) {
    open();
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(focusHolder(), board());
    const double score = game().score;
    const int headAt = headCell(game());
    for (Qt::Key k : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape, Qt::Key_A, Qt::Key_X, Qt::Key_5, Qt::Key_Home,
                      Qt::Key_F10, Qt::Key_Percent, Qt::Key_Ampersand, Qt::Key_Apostrophe, Qt::Key_ParenLeft,
                      Qt::Key_Shift, Qt::Key_Control}) {
        key(k);
        EXPECT_EQ(game().direction, "") << "key " << int(k);
        EXPECT_EQ(interval(), 0) << "key " << int(k);
        EXPECT_FALSE(shown(pause())) << "key " << int(k);
        EXPECT_FALSE(shown(gameover())) << "key " << int(k);
    }
    EXPECT_EQ(game().score, score);
    EXPECT_EQ(headCell(game()), headAt);
    EXPECT_EQ(alarm->changes, 0);
}

// The game acts the same with Shift or Ctrl held, and its key handler is told of them; with Alt no key reaches it.
TEST_F(Keys, ShiftPPausesLikePAndTheHandlerIsToldOfTheModifiers) {
    open();
    KeyDownSpy keyDowns(board());
    key(Qt::Key_Left);
    key(Qt::Key_P, Qt::ShiftModifier);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));
    key(Qt::Key_Up, Qt::AltModifier);  // the menu bar's and the system's
    EXPECT_EQ(interval(), 0);
    key(Qt::Key_Up, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(game().direction, "up");
    EXPECT_EQ(interval(), int(game().speed));

    // The handler's key code and shift state (Shift 1, Ctrl 2); the
    // modifier keys themselves, pressed first, never reach it.
    const std::vector<std::pair<int, int>> expected{
        {int(zv::keys::Left), 0}, {int(zv::keys::P), 1}, {int(zv::keys::Up), 3}};
    EXPECT_EQ(keyDowns.seen, expected);
}

// A key as X11 and Wayland report it: Qt key, scan code (33 is P's place), text.
struct LayoutKey {
    const char* layout;
    int qtKey;
    quint32 scanCode;
    const char* text;
    bool pauses;
};
const LayoutKey layoutKeys[] = {
    {"us", Qt::Key_P, 33, "p", true},
    {"ru, ua: Cyrillic ze", 0x0417, 33, "\u0437", true},
    {"gr: Greek pi", 0x03A0, 33, "\u03C0", true},
    {"ru: Cyrillic ka, at R", 0x041A, 27, "\u043A", false},
    {"dvorak: l, at P", Qt::Key_L, 33, "l", false},
    {"dvorak: p, at R", Qt::Key_P, 27, "p", true},
};

TEST_F(Keys, PPausesOnEveryLayout) {
    for (const LayoutKey& k : layoutKeys) {
        SCOPED_TRACE(k.layout);
        open();
        key(Qt::Key_Right);
        QKeyEvent press(QEvent::KeyPress, k.qtKey, Qt::NoModifier, k.scanCode, 0, 0, QString::fromUtf8(k.text));
        QApplication::sendEvent(focusHolder(), &press);
        EXPECT_EQ(shown(pause()), k.pauses);
        EXPECT_EQ(interval(), k.pauses ? 0 : int(game().speed));
        window.reset();
    }
}
}  // namespace
}  // namespace wt
