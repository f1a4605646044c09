#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <memory>

#include "midend/alarm.h"
#include "midend/screen.h"
#include "qt/board_widget.h"

namespace zv {

// The game's one window: a surface over the mid-end's Screen. Every event
// goes to the Screen's entry point for it, with the alarm's time and the
// part of the window that holds the keys; the Screen says what to show.
class MainWindow final : public QMainWindow, public PictureSurface {
public:
    // Without an alarm, the window's own GameClock.
    explicit MainWindow(std::unique_ptr<RandomSource> random = std::make_unique<TimeSeededRandom>(),
                        std::unique_ptr<Alarm> alarm = nullptr, QWidget* parent = nullptr);

    // For the tests and benchmarks.
    const zorvane& game() const { return screen_.game(); }
    Screen& gameScreen() { return screen_; }
    Alarm& clock() { return *alarm_; }
    BoardWidget* board() const { return board_; }
    QPushButton* pauseButton() const { return pause_; }
    QPushButton* gameoverButton() const { return gameover_; }
    QMenu* speedMenu() const { return speedMenu_; }
    QMenu* sizeMenu() const { return sizeMenu_; }
    QAction* quitAction() const { return quitAction_; }

    bool layOut(const Box& inner, int width, int height) override;
    void present(std::span<const Box> painted) override;
    void placeButton(Button button, const ButtonView& view) override;
    void setTitle(const std::string& title) override { setWindowTitle(QString::fromStdString(title)); }
    void buildMenus(std::span<const MenuBarTitle> bar) override;
    void wakeAt(std::optional<Time> due) override { alarm_->wakeAt(due); }
    void moveFocus(Focus focus) override;
    void end() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The tests' view of the window's inside.
    friend class MainWindowPeer;

    Time now() const { return alarm_->now(); }
    Focus focus() const;

    std::unique_ptr<Alarm> alarm_;
    Screen screen_;
    BoardWidget* board_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* gameover_ = nullptr;
    QMenu* speedMenu_ = nullptr;
    QMenu* sizeMenu_ = nullptr;
    QAction* quitAction_ = nullptr;
};

}  // namespace zv
