#pragma once

// Shared pieces of the window tests: the scripted boards (board_script.h),
// an alarm that only goes off when the test says so, and a fixture that
// opens the game's window on screen with both of them.

#include <QApplication>
#include <QBackingStore>
#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/random_source.h"
#include "game/state.h"
#include "qt/board_widget.h"
#include "main_window_peer.h"
#include "board_script.h"
#include "hand_alarm.h"

namespace wt {

// The board's colours as the player sees them.
inline const QColor background(255, 128, 0);
inline const QColor food(255, 255, 255);
inline const QColor blueBlock(0, 0, 255);
inline const QColor head(0, 150, 100);
inline const QColor body(0, 255, 0);

using ::ScriptedRandom;
using board_script::Cell;
using board_script::keepFood;
using board_script::lineUpBoard;

inline int cellNumber(const zv::zorvane& game, int x, int y) { return x + int(game.cols) * (y - 1); }
inline int headCell(const zv::zorvane& game) { return cellNumber(game, int(game.headx), int(game.heady)); }

inline QColor pixel(const QImage& image, QPoint p) { return QColor(image.pixel(p)); }

inline std::string describe(const QColor& c) {
    // Appended piece by piece: GCC 12 takes "(" + std::string&& for an overlapping copy.
    std::string s = "(";
    s.append(std::to_string(c.red())).append(",").append(std::to_string(c.green()));
    return s.append(",").append(std::to_string(c.blue())).append(")");
}

// The board as the player sees it: the window's own picture on screen, one
// image pixel a device pixel. The offscreen screen is the window's backing
// store (its own grab misses all but a corner when scaled).
inline QImage boardOnScreen(zv::MainWindow& window) {
    QCoreApplication::processEvents();
    const auto* store = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    if (!store) throw std::runtime_error("the window has no image to read");
    const QWidget* board = zv::MainWindowPeer::board(window);
    const qreal r = board->devicePixelRatioF();
    const QRect place(board->mapTo(&window, QPoint(0, 0)), board->size());
    QImage image = store->copy(QRect(place.topLeft() * r, place.size() * r)).convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(r);
    return image;
}

// Where the player's keys go: an open menu, or whatever holds the focus.
inline QWidget* keyHolder(QWidget& window) {
    if (QWidget* menu = QApplication::activePopupWidget()) return menu;
    QWidget* holder = QApplication::focusWidget();
    return holder ? holder : &window;
}

// A title on the menu bar by its caption: a menu's, or a command's.
inline QAction* barTitle(zv::MainWindow& window, const QString& caption) {
    for (QAction* a : window.menuBar()->actions())
        if (a->text() == caption) return a;
    ADD_FAILURE() << "no title " << caption.toStdString() << " on the menu bar";
    return nullptr;
}
// A click on a title, as the player opens (or closes) its menu or gives its command.
inline void clickTitle(zv::MainWindow& window, QAction* title) {
    QMenuBar* bar = window.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
    QCoreApplication::processEvents();
}
// A click on an item of an open menu, the pointer moved onto it first.
inline void clickItem(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions()) {
        if (a->text() != caption) continue;
        const QPoint at = menu->actionGeometry(a).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        return;
    }
    ADD_FAILURE() << "no item " << caption.toStdString();
}

// Opens the game's window on screen, active, with a scripted random source
// and a hand-moved alarm. Each test opens it with the board it needs.
class WindowTest : public ::testing::Test {
protected:
    void TearDown() override { window.reset(); }

    void open(Cell firstFood = {3, 3}, std::vector<Cell> obstacles = {}) {
        auto source = std::make_unique<ScriptedRandom>();
        random = source.get();
        lineUpBoard(*random, 50, firstFood, obstacles);
        auto handAlarm = std::make_unique<HandAlarm>();
        alarm = handAlarm.get();
        window = std::make_unique<zv::MainWindow>(std::move(source), std::move(handAlarm));
        titleBeforeShow = window->windowTitle();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
    }

    zv::zorvane& game() { return zv::MainWindowPeer::game(*window); }
    zv::Screen& gameScreen() { return zv::MainWindowPeer::screen(*window); }
    QWidget* board() { return zv::MainWindowPeer::board(*window); }
    QPushButton* pause() { return zv::MainWindowPeer::button(*window, zv::Button::Pause); }
    QPushButton* gameover() { return zv::MainWindowPeer::button(*window, zv::Button::GameOver); }
    QMenu* menu(const char* title) { return barTitle(*window, title)->menu(); }
    bool shown(QWidget* w) { return w->isVisibleTo(window.get()); }
    int interval() { return gameScreen().interval(); }

    QWidget* focusHolder() { return keyHolder(*window); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(focusHolder(), k, mods); }
    void click(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // Ticks on which no food is eaten and none is placed: one expiry draw
    // each, the alarm going off when the next one falls due.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            random->push(keepFood);
            ASSERT_TRUE(alarm->fire()) << "the clock stands";
        }
    }

    // The board as the player sees it, read from the screen.
    QImage screen() { return boardOnScreen(*window); }
    // The board drawn afresh in full.
    QImage rendered() { return board()->grab().toImage(); }

    // The smallest box of logical pixels that holds everything cell n draws.
    QRect cellRect(int n) {
        const zv::Box b = gameScreen().geometry().repaintBox(n);
        return QRect(b.x, b.y, b.width, b.height);
    }
    QPoint centre(int cell) { return cellRect(cell).center(); }

    ScriptedRandom* random = nullptr;
    HandAlarm* alarm = nullptr;
    std::unique_ptr<zv::MainWindow> window;
    QString titleBeforeShow;
};

}  // namespace wt
