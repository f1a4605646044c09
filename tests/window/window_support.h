#pragma once

// Shared pieces of the window tests: a random source that replays the draws a
// test lines up, a clock that only ticks when the test says so, and a fixture
// that opens the game's window on screen with both of them.

#include <QApplication>
#include <QBackingStore>
#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/random_source.h"
#include "game/state.h"
#include "window/qt/board_widget.h"
#include "window/qt/main_window.h"
#include "window/tick_clock.h"
#include "hand_clock.h"

namespace wt {

// The board's colours as the player sees them.
inline const QColor background(255, 128, 0);
inline const QColor wallFill(255, 255, 128);
inline const QColor outline(255, 0, 0);
inline const QColor obstacle(50, 50, 0);
inline const QColor food(255, 255, 255);
inline const QColor blueBlock(0, 0, 255);
inline const QColor head(0, 150, 100);
inline const QColor body(0, 255, 0);
inline const QColor crash(255, 0, 0);

// The expiry draw that never lets food expire.
inline constexpr float keepFood = 0.5f;

// A board of this side gets Int(rows * cols / 50) obstacles.
inline int obstacleCount(int side) { return side * side / 50; }

struct Cell {
    int x;
    int y;
};

// Replays scripted draws; a draw nobody lined up throws, so a test that meets
// an unexpected draw fails instead of playing on with made-up numbers.
class ScriptedRandom final : public zv::RandomSource {
public:
    void seedFromTimeOfDay() override { ++seeds_; }
    float draw() override {
        if (queue_.empty()) throw std::runtime_error("no scripted draw left after " + std::to_string(draws_));
        const float r = queue_.front();
        queue_.pop_front();
        ++draws_;
        return r;
    }

    void push(float r) { queue_.push_back(r); }
    // Two draws that aim a candidate at column x, row y of a board of this side.
    void cell(Cell c, int side) {
        push((float(c.x) - 0.5f) / float(side));
        push((float(c.y) - 0.5f) / float(side));
    }
    std::size_t remaining() const { return queue_.size(); }
    int seeds() const { return seeds_; }

private:
    std::deque<float> queue_;
    long draws_ = 0;
    int seeds_ = 0;
};

// A pseudo-random source that always starts from the same seed.
class FixedSeedRandom final : public zv::RandomSource {
public:
    void seedFromTimeOfDay() override { engine_.seed(20240611u); }
    float draw() override { return float(engine_() >> 8) * 0x1p-24f; }

private:
    std::mt19937 engine_{20240611u};
};


// The obstacle cells of a scripted board: the given ones first, then the
// bottom inner rows from the left, well away from the snake's start and the food.
inline std::vector<Cell> obstacleCells(int side, std::vector<Cell> first = {}) {
    std::vector<Cell> cells = first;
    for (int y = side - 1; y > 1 && int(cells.size()) < obstacleCount(side); --y)
        for (int x = 2; x < side && int(cells.size()) < obstacleCount(side); ++x) {
            bool taken = false;
            for (const Cell& c : first) taken = taken || (c.x == x && c.y == y);
            if (!taken) cells.push_back({x, y});
        }
    cells.resize(std::size_t(obstacleCount(side)));
    return cells;
}

// Lines up every draw of one board's set-up and of the load's own tick:
// the obstacles, the first food and the expiry draw.
inline void lineUpBoard(ScriptedRandom& random, int side, Cell firstFood = {3, 3}, std::vector<Cell> first = {}) {
    for (const Cell& c : obstacleCells(side, first)) random.cell(c, side);
    random.cell(firstFood, side);
    random.push(keepFood);
}

inline int cellNumber(const zv::zorvane& game, int x, int y) { return x + int(game.cols) * (y - 1); }
inline int headCell(const zv::zorvane& game) { return cellNumber(game, int(game.headx), int(game.heady)); }

// The title: "Score: " then the whole score and the best, each with a leading space.
inline QString titleFor(const zv::zorvane& game) {
    return QString("Score: ") + " " + QString::number(long(std::floor(game.score))) + "/" + " " +
           QString::number(long(game.best));
}

inline QColor pixel(const QImage& image, QPoint p) { return QColor(image.pixel(p)); }

inline std::string describe(const QColor& c) {
    // Appended piece by piece: GCC 12 takes "(" + std::string&& for an overlapping copy.
    std::string s = "(";
    s.append(std::to_string(c.red())).append(",").append(std::to_string(c.green()));
    return s.append(",").append(std::to_string(c.blue())).append(")");
}

// Opens the game's window on screen, active, with a scripted random source
// and a hand clock. Each test opens it with the board it needs.
class WindowTest : public ::testing::Test {
protected:
    void TearDown() override { window.reset(); }

    void open(Cell firstFood = {3, 3}, std::vector<Cell> obstacles = {}) {
        auto source = std::make_unique<ScriptedRandom>();
        random = source.get();
        lineUpBoard(*random, 50, firstFood, obstacles);
        auto handClock = std::make_unique<HandClock>();
        clock = handClock.get();
        window = std::make_unique<zv::MainWindow>(std::move(source), std::move(handClock));
        titleBeforeShow = window->windowTitle();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
    }

    zv::zorvane& game() { return window->game(); }
    zv::BoardWidget* board() { return window->board(); }
    QPushButton* pause() { return window->pauseButton(); }
    QPushButton* gameover() { return window->gameoverButton(); }
    bool shown(QWidget* w) { return w->isVisibleTo(window.get()); }
    int interval() { return window->clock().interval(); }

    // Where the player's keys go: an open menu, or whatever holds the focus.
    QWidget* focusHolder() {
        if (QWidget* menu = QApplication::activePopupWidget()) return menu;
        QWidget* w = QApplication::focusWidget();
        return w ? w : window->focusWidget();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(focusHolder(), k, mods); }
    // A key held down: the key press the keyboard repeats.
    void repeatedKey(Qt::Key k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(focusHolder(), &press);
    }
    void click(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // Ticks on which no food is eaten and none is placed: one expiry draw each.
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            random->push(keepFood);
            window->tick();
        }
    }

    // The board as the player sees it: the window's own picture on screen,
    // one image pixel a device pixel. The offscreen screen is the window's
    // backing store (its own grab misses all but a corner when scaled).
    QImage screen() {
        QCoreApplication::processEvents();
        const auto* store = dynamic_cast<const QImage*>(window->backingStore()->paintDevice());
        if (!store) throw std::runtime_error("the window has no image to read");
        const qreal r = board()->devicePixelRatioF();
        const QRect place(board()->mapTo(window.get(), QPoint(0, 0)), board()->size());
        QImage image = store->copy(QRect(place.topLeft() * r, place.size() * r)).convertToFormat(QImage::Format_RGB32);
        image.setDevicePixelRatio(r);
        return image;
    }
    // The board drawn afresh in full.
    QImage rendered() { return board()->grab().toImage(); }
    // The cells alone, without the buttons above them (Game Over covers the
    // middle of the board, where the snake starts).
    QImage cellsOnly() {
        QImage image(board()->size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        board()->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        return image;
    }

    QPoint centre(int cell) { return board()->cellRect(cell).center(); }

    // Shown cells of one colour, judged by the centre pixel of every cell box.
    int countCells(const QImage& image, const QColor& colour) {
        int n = 0;
        for (int cell = 1; cell <= int(game().rows * game().cols); ++cell)
            if (pixel(image, centre(cell)) == colour) ++n;
        return n;
    }

    ScriptedRandom* random = nullptr;
    HandClock* clock = nullptr;
    std::unique_ptr<zv::MainWindow> window;
    QString titleBeforeShow;
};

}  // namespace wt
