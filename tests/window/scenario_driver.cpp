// The player scenarios on the real Qt window: real key presses to whatever
// holds the keys, real clicks on the buttons and the menu bar, real touches,
// and the board read back from the window's pixels on screen.
#include <QPointingDevice>
#include <QTimer>

#include "driver.h"
#include "window/keys.h"
#include "window_support.h"

namespace wt {
namespace {

using zv::MainWindowPeer;

// The Qt key for one of the game's key codes, by the name a menu shows for
// it; Shift+Tab is Backtab, as X11 and Wayland report it.
Qt::Key qtKey(zv::Integer code, bool shift) {
    if (code == zv::keys::Tab && shift) return Qt::Key_Backtab;
    const QString name = QString::fromStdString(zv::keyName(code));
    return QKeySequence::fromString(name, QKeySequence::PortableText)[0].key();
}

class QtDriver final : public conformance::Driver {
public:
    ~QtDriver() override { window_.reset(); }

    void open(std::unique_ptr<ScriptedRandom> random) override {
        auto alarm = std::make_unique<HandAlarm>();
        alarm_ = alarm.get();
        window_ = std::make_unique<zv::MainWindow>(std::move(random), std::move(alarm));
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        QCoreApplication::processEvents();
    }

    void key(zv::Integer code, bool shift) override {
        QTest::keyClick(keyHolder(*window_), qtKey(code, shift), shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::processEvents();
    }
    // At the button's middle, on the window, as the player clicks it.
    void click(zv::Button which) override {
        const QPushButton* button = MainWindowPeer::button(*window_, which);
        const QPoint middle = button->mapTo(window_.get(), button->rect().center());
        QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, middle);
        QCoreApplication::processEvents();
    }
    void menu(std::string_view title, std::string_view item) override {
        QAction* onBar = barTitle(*window_, QString::fromUtf8(title.data(), qsizetype(title.size())));
        if (!onBar) return;
        if (item.empty()) return untilTheProgramEnds([&] { clickTitle(*window_, onBar); });
        clickTitle(*window_, onBar);
        ASSERT_TRUE(onBar->menu() && onBar->menu()->isVisible()) << "the menu did not open";
        clickItem(onBar->menu(), QString::fromUtf8(item.data(), qsizetype(item.size())));
    }
    void menuEscaped(std::string_view title) override {
        QAction* onBar = barTitle(*window_, QString::fromUtf8(title.data(), qsizetype(title.size())));
        if (!onBar) return;
        clickTitle(*window_, onBar);
        ASSERT_TRUE(onBar->menu() && onBar->menu()->isVisible()) << "the menu did not open";
        QTest::keyClick(keyHolder(*window_), Qt::Key_Escape);
        QCoreApplication::processEvents();
        EXPECT_FALSE(onBar->menu()->isVisible()) << "Esc left the menu open";
    }
    void touch(zv::Screen::Touch phase, double x, double y) override {
        QWidget* board = MainWindowPeer::board(*window_);
        const QPoint at(qRound(x), qRound(y));
        using Touch = zv::Screen::Touch;
        if (phase == Touch::Down) QTest::touchEvent(board, finger_.get()).press(0, at, board);
        else if (phase == Touch::Move) QTest::touchEvent(board, finger_.get()).move(0, at, board);
        else if (phase == Touch::Up) QTest::touchEvent(board, finger_.get()).release(0, at, board);
        else ADD_FAILURE() << "no touch is taken back here";
        QCoreApplication::processEvents();
    }
    bool tick() override {
        const bool set = alarm_->fire();
        QCoreApplication::processEvents();
        return set;
    }
    // As the frame's close button asks the window to close.
    void close() override {
        untilTheProgramEnds([this] { window_->windowHandle()->close(); });
    }

    std::string title() override { return window_->windowHandle()->title().toStdString(); }
    bool shown(zv::Button button) override { return MainWindowPeer::button(*window_, button)->isVisibleTo(window_.get()); }
    zv::Focus focus() override {
        const QWidget* holder = QApplication::focusWidget();
        if (holder == MainWindowPeer::board(*window_)) return zv::Focus::Board;
        for (const zv::Button button : {zv::Button::Pause, zv::Button::GameOver})
            if (holder == MainWindowPeer::button(*window_, button))
                return button == zv::Button::Pause ? zv::Focus::Pause : zv::Focus::GameOver;
        return holder ? zv::Focus::Elsewhere : zv::Focus::Nothing;
    }
    zv::Rgb cell(int column, int row) override {
        const zv::Box box = screen().geometry().cellBox(column + int(game().cols) * (row - 1));
        const QColor seen = boardOnScreen(*window_).pixelColor(box.x + box.width / 2, box.y + box.height / 2);
        return {std::uint8_t(seen.red()), std::uint8_t(seen.green()), std::uint8_t(seen.blue())};
    }
    double boardWidth() override { return MainWindowPeer::board(*window_)->width(); }
    double boardHeight() override { return MainWindowPeer::board(*window_)->height(); }
    int interval() override { return screen().interval(); }
    int headColumn() override { return int(game().headx); }
    int headRow() override { return int(game().heady); }
    int side() override { return int(game().boardsize); }
    // The program's event loop ended, with status 0, and the window is gone.
    bool ended() override { return exitCode_ == 0 && screen().ended() && !window_->isVisible(); }

private:
    zv::Screen& screen() { return MainWindowPeer::screen(*window_); }
    zv::zorvane& game() { return MainWindowPeer::game(*window_); }

    // Runs `act` inside the program's own event loop, which ends only when
    // something ends the program (or, failing that, after a while).
    template <typename Act>
    void untilTheProgramEnds(Act act) {
        QTimer failing;
        failing.setSingleShot(true);
        QObject::connect(&failing, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
        failing.start(5000);
        QTimer::singleShot(0, qApp, act);
        exitCode_ = QApplication::exec();
    }

    HandAlarm* alarm_ = nullptr;
    std::unique_ptr<zv::MainWindow> window_;
    std::unique_ptr<QPointingDevice> finger_{QTest::createTouchDevice()};
    int exitCode_ = -1;
};

}  // namespace

std::unique_ptr<conformance::Driver> makeQtDriver() { return std::make_unique<QtDriver>(); }

}  // namespace wt
