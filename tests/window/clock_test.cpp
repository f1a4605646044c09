// The real game clock: a held key sets the interval it already has, over and
// over, and that must not restart the countdown or the snake would freeze.
#include <QDir>
#include <QFileInfo>
#include <chrono>
#include <set>
#include <sys/timerfd.h>
#include <thread>

#include "window/qt/game_clock.h"
#include "window_support.h"

namespace wt {
namespace {

// The kernel timers this process holds open.
std::set<int> timerFds() {
    std::set<int> fds;
    const QDir dir("/proc/self/fd");
    for (const QString& name : dir.entryList(QDir::NoDotAndDotDot | QDir::System | QDir::Files | QDir::Dirs)) {
        const QString target = QFileInfo(dir.filePath(name)).symLinkTarget();
        if (target.contains("[timerfd]")) fds.insert(name.toInt());
    }
    return fds;
}

long long remainingNs(int fd) {
    itimerspec now{};
    if (::timerfd_gettime(fd, &now) != 0) return -1;
    return now.it_value.tv_sec * 1'000'000'000LL + now.it_value.tv_nsec;
}

TEST(Clock, SettingTheSameIntervalKeepsTheCountdownGoing) {
    const std::set<int> before = timerFds();
    zv::GameClock clock;
    if (!clock.usesKernelTimer()) GTEST_SKIP() << "no kernel timer here";
    std::set<int> added;
    for (int fd : timerFds())
        if (!before.count(fd)) added.insert(fd);
    ASSERT_EQ(added.size(), 1u);
    const int fd = *added.begin();

    // A period far longer than the test, so the countdown cannot wrap round.
    const int period = 1'000'000;
    clock.setInterval(period);
    const long armed = clock.armCount();
    const auto pauseFor = std::chrono::milliseconds(50);
    std::this_thread::sleep_for(pauseFor);
    clock.setInterval(period);
    clock.setInterval(period);
    EXPECT_EQ(clock.armCount(), armed);
    EXPECT_EQ(clock.interval(), period);
    // At least the pause has gone by since the countdown started; a restart
    // would have put the whole period back.
    const long long left = remainingNs(fd);
    ASSERT_GT(left, 0);
    EXPECT_LE(left, period * 1'000'000LL - std::chrono::nanoseconds(pauseFor).count());

    // A different interval does start the countdown afresh, and 0 stops it.
    clock.setInterval(period - 1);
    EXPECT_EQ(clock.armCount(), armed + 1);
    EXPECT_LE(remainingNs(fd), (period - 1) * 1'000'000LL);
    clock.setInterval(0);
    EXPECT_EQ(clock.armCount(), armed + 2);
    EXPECT_EQ(remainingNs(fd), 0);
    clock.setInterval(0);
    EXPECT_EQ(clock.armCount(), armed + 2);
}

// The game's own window and clock: a key held down keeps the clock as it is.
TEST(Clock, AHeldArrowDoesNotRearmTheWindowsClock) {
    zv::MainWindow window(std::make_unique<FixedSeedRandom>());
    auto* clock = dynamic_cast<zv::GameClock*>(&window.clock());
    ASSERT_NE(clock, nullptr);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(clock->interval(), 0);

    QTest::keyClick(window.board(), Qt::Key_Right);
    ASSERT_EQ(clock->interval(), int(window.game().speed));
    const long armed = clock->armCount();
    for (int i = 0; i < 20; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(window.board(), &press);
    }
    // A fresh press of another key while running sets the same interval too.
    QTest::keyClick(window.board(), Qt::Key_Down);
    EXPECT_EQ(window.game().direction, "down");
    EXPECT_EQ(clock->armCount(), armed);
    EXPECT_EQ(clock->interval(), int(window.game().speed));

    // P stops it; the key that resumes starts it once.
    QTest::keyClick(window.board(), Qt::Key_P);
    EXPECT_EQ(clock->interval(), 0);
    EXPECT_EQ(clock->armCount(), armed + 1);
    QTest::keyClick(window.board(), Qt::Key_Left);
    EXPECT_EQ(clock->armCount(), armed + 2);
    QTest::keyClick(window.board(), Qt::Key_P);
    // P while paused sets the interval and stops it again inside one key:
    // the clock itself never starts.
    QTest::keyClick(window.board(), Qt::Key_P);
    EXPECT_EQ(clock->armCount(), armed + 3);
    EXPECT_EQ(clock->interval(), 0);
}

}  // namespace
}  // namespace wt
