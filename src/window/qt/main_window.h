#pragma once

#include <QMainWindow>
#include <memory>
#include <span>
#include <string>

#include "window/description.h"
#include "screen/shell.h"
#include "screen/tick_clock.h"

class QAction;
class QMenu;
class QPushButton;

namespace zv {

class BoardWidget;
class CaptionButton;

// The game's one window. It draws the game's controls and hands every event
// to the game's handler for it; after each handler it brings the screen up to
// date as the shell's update says: changed cells, buttons, title, clock, focus.
//
// A new game or a new board reloads the game's window from inside a handler.
// No widget is destroyed for it: this window stays on screen and simply
// shows the rebuilt controls once the handler returns.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(std::unique_ptr<RandomSource> random = std::make_unique<TimeSeededRandom>(),
                        std::unique_ptr<TickClock> clock = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    const zorvane& game() const { return shell_.game(); }
    zorvane& game() { return shell_.game(); }
    TickClock& clock() { return *clock_; }
    BoardWidget* board() const { return board_; }
    QPushButton* pauseButton() const;
    QPushButton* gameoverButton() const;
    QMenu* speedMenu() const { return speedMenu_; }
    QMenu* sizeMenu() const { return sizeMenu_; }
    QAction* quitAction() const { return quitAction_; }

    // One tick of the game clock.
    void tick();

private:
    template <typename Handler>
    void dispatch(Handler&& handler);
    void apply(const ScreenUpdate& update);
    void syncButton(QPushButton* button, const ButtonView& view);
    Focus focus() const;
    QWidget* widgetFor(Focus focus) const;
    void buildMenus();
    void addItems(QMenu* menu, std::span<const description::MenuItem> items, void (zorvane::*handler)(Integer));
    void keyDown(int keyCode, int shift);
    void end();

    Shell shell_;
    std::unique_ptr<TickClock> clock_;
    BoardWidget* board_ = nullptr;
    CaptionButton* pause_ = nullptr;
    CaptionButton* gameover_ = nullptr;
    QMenu* speedMenu_ = nullptr;
    QMenu* sizeMenu_ = nullptr;
    QAction* quitAction_ = nullptr;
};

}  // namespace zv
