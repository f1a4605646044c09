// The keyboard: starting, steering, pausing and resuming the game.
#include "window_support.h"

namespace wt {
namespace {

using Keys = WindowTest;

struct Heading {
    Qt::Key key;
    const char* direction;
    int dx;
    int dy;
};

const Heading headings[] = {
    {Qt::Key_Up, "up", 0, -1},
    {Qt::Key_Down, "down", 0, 1},
    {Qt::Key_Left, "left", -1, 0},
    {Qt::Key_Right, "right", 1, 0},
};

TEST_F(Keys, EveryArrowStartsPlayAtTheGameSpeed) {
    for (const Heading& h : headings) {
        SCOPED_TRACE(h.direction);
        open();
        const double x = game().headx;
        const double y = game().heady;
        key(h.key);
        EXPECT_EQ(game().direction, h.direction);
        EXPECT_EQ(game().speed, 75);
        EXPECT_EQ(interval(), int(game().speed));
        ticks(1);
        EXPECT_EQ(game().headx, x + h.dx);
        EXPECT_EQ(game().heady, y + h.dy);
        window.reset();
    }
}

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
    EXPECT_EQ(clock->changes, 0);
}

TEST_F(Keys, PWhileWaitingOnlyShowsPause) {
    open();
    key(Qt::Key_P);
    EXPECT_TRUE(shown(pause()));
    EXPECT_FALSE(shown(gameover()));
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(game().direction, "");
    // Still waiting: a plain key does not start it, an arrow does.
    key(Qt::Key_Space);
    EXPECT_EQ(interval(), 0);
    key(Qt::Key_Left);
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_TRUE(shown(pause()));
}

TEST_F(Keys, PPausesAndAnyKeyResumesWithPauseStillShown) {
    open();
    key(Qt::Key_Right);
    ticks(2);
    key(Qt::Key_P);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));

    key(Qt::Key_Space);
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_TRUE(shown(pause()));
    EXPECT_EQ(game().direction, "right");

    key(Qt::Key_P);
    EXPECT_EQ(interval(), 0);
    key(Qt::Key_Up);
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_EQ(game().direction, "up");
    EXPECT_TRUE(shown(pause()));
    EXPECT_FALSE(shown(gameover()));
}

TEST_F(Keys, ShiftPPausesLikeP) {
    open();
    key(Qt::Key_Left);
    key(Qt::Key_P, Qt::ShiftModifier);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));
    // Held modifiers do not change a key: Shift+Up still steers and resumes.
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(game().direction, "up");
    EXPECT_EQ(interval(), int(game().speed));
}

TEST_F(Keys, ALoneShiftOrCtrlDoesNotResume) {
    open();
    key(Qt::Key_Up);
    key(Qt::Key_P);
    key(Qt::Key_Shift);
    key(Qt::Key_Control);
    QKeyEvent shiftDown(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(focusHolder(), &shiftDown);
    EXPECT_EQ(interval(), 0);
    EXPECT_TRUE(shown(pause()));
}

TEST_F(Keys, TheOppositeArrowIsRefusedButStillSetsTheClock) {
    open();
    key(Qt::Key_Right);
    key(Qt::Key_P);
    ASSERT_EQ(interval(), 0);
    key(Qt::Key_Left);
    EXPECT_EQ(game().direction, "right");
    EXPECT_EQ(interval(), int(game().speed));
    const double x = game().headx;
    ticks(1);
    EXPECT_EQ(game().headx, x + 1);
}

TEST_F(Keys, LeftThenDownWhileHeadingUpTurnsTheSnakeOntoItself) {
    open();
    key(Qt::Key_Up);
    // Clear of the middle of the board, where Game Over will show.
    ticks(6);
    const int justLeft = cellNumber(game(), int(game().headx), int(game().heady) + 1);
    key(Qt::Key_Left);
    key(Qt::Key_Down);
    EXPECT_EQ(game().direction, "down");
    // The next tick runs into the body cell the head just left.
    ticks(1);
    EXPECT_EQ(headCell(game()), justLeft);
    EXPECT_TRUE(shown(gameover()));
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(pixel(screen(), centre(justLeft)), crash) << describe(pixel(screen(), centre(justLeft)));
}

TEST_F(Keys, AHeldArrowKeepsTheSnakeMoving) {
    open();
    key(Qt::Key_Right);
    const int changes = clock->changes;
    const std::size_t calls = clock->calls.size();
    const double x = game().headx;
    for (int i = 0; i < 5; ++i) {
        repeatedKey(Qt::Key_Right);
        repeatedKey(Qt::Key_Right);
        ticks(1);
    }
    EXPECT_EQ(game().headx, x + 5);
    EXPECT_EQ(interval(), int(game().speed));
    // Every repeat sets the interval again, always to the same value.
    EXPECT_GE(clock->calls.size(), calls + 10);
    EXPECT_EQ(clock->changes, changes);
}

TEST_F(Keys, KeysAfterACollisionResumeFromTheCrashCell) {
    // An obstacle to the right of the start, clear of where Game Over shows.
    open({3, 3}, {{35, 25}});
    const int obstacleCell = cellNumber(game(), 35, 25);
    key(Qt::Key_Right);
    ticks(10);
    ASSERT_TRUE(shown(gameover()));
    EXPECT_EQ(interval(), 0);
    EXPECT_EQ(headCell(game()), obstacleCell);
    EXPECT_EQ(pixel(screen(), centre(obstacleCell)), crash) << describe(pixel(screen(), centre(obstacleCell)));

    // A key that is not an arrow resumes: the heading is still set.
    key(Qt::Key_Space);
    EXPECT_EQ(interval(), int(game().speed));
    EXPECT_TRUE(shown(gameover()));
    key(Qt::Key_Up);
    ticks(1);
    EXPECT_EQ(game().headx, 35);
    EXPECT_EQ(game().heady, 24);
    EXPECT_TRUE(shown(gameover()));
    EXPECT_EQ(interval(), int(game().speed));
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
