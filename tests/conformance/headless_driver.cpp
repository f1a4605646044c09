// The scenarios on the mid-end with no toolkit at all: the reference every
// front end's driver is held to.

#include <gtest/gtest.h>

#include "driver.h"
#include "headless_screen.h"
#include "midend/menu_table.h"
#include "window/keys.h"

namespace conformance {
namespace {

class HeadlessDriver final : public Driver {
public:
    void open(std::unique_ptr<ScriptedRandom> random) override { window_ = std::make_unique<HeadlessScreen>(std::move(random)); }
    void key(zv::Integer code, bool shift) override {
        // A focused button is pressed by Space and Enter, as a toolkit's are.
        const zv::Focus holder = window_->focus;
        if ((code == zv::keys::Space || code == zv::keys::Return) && (holder == zv::Focus::Pause || holder == zv::Focus::GameOver))
            return click(holder == zv::Focus::Pause ? zv::Button::Pause : zv::Button::GameOver);
        window_->screen.key(window_->now, zv::KeyDown{code, zv::Integer(shift ? 1 : 0)}, holder);
    }
    void click(zv::Button button) override { window_->screen.click(window_->now, button); }
    void menu(std::string_view title, std::string_view item) override {
        const auto bar = zv::menuTable();
        for (int t = 0; t < int(bar.size()); ++t) {
            if (bar[std::size_t(t)].title != title) continue;
            if (item.empty()) return window_->screen.menuCommand(window_->now, t, window_->focus);
            window_->screen.menuOpened(window_->now, t, window_->focus);
            const auto items = bar[std::size_t(t)].items;
            for (int i = 0; i < int(items.size()); ++i)
                if (items[std::size_t(i)].caption == item) return window_->screen.menuChosen(window_->now, t, i, window_->focus);
        }
        ADD_FAILURE() << "no menu item " << title << " / " << item;
    }
    // No menu of its own to close: only the opening reaches the screen.
    void menuEscaped(std::string_view title) override {
        const auto bar = zv::menuTable();
        for (int t = 0; t < int(bar.size()); ++t)
            if (bar[std::size_t(t)].title == title) return window_->screen.menuOpened(window_->now, t, window_->focus);
        ADD_FAILURE() << "no menu " << title;
    }
    void touch(zv::Screen::Touch phase, double x, double y) override { window_->screen.touch(window_->now, phase, x, y); }
    bool tick() override {
        if (!window_->wakeUp) return false;
        window_->now = *window_->wakeUp;
        window_->screen.wake(window_->now);
        return true;
    }
    void close() override { window_->screen.close(); }

    std::string title() override { return window_->title; }
    bool shown(zv::Button button) override { return (button == zv::Button::Pause ? window_->pause : window_->gameover).shown; }
    zv::Focus focus() override { return window_->focus; }
    zv::Rgb cell(int column, int row) override {
        const zv::Box box = window_->geometry().cellBox(column + int(window_->game().cols) * (row - 1));
        return window_->at(box.x + box.width / 2, box.y + box.height / 2);
    }
    double boardWidth() override { return window_->width() / window_->geometry().ratio(); }
    double boardHeight() override { return window_->height() / window_->geometry().ratio(); }
    int interval() override { return window_->interval(); }
    int headColumn() override { return int(window_->game().headx); }
    int headRow() override { return int(window_->game().heady); }
    int side() override { return int(window_->game().boardsize); }
    bool ended() override { return window_->ended; }

private:
    std::unique_ptr<HeadlessScreen> window_;
};

std::unique_ptr<Driver> makeHeadless() { return std::make_unique<HeadlessDriver>(); }

// Registered as the program loads, before GoogleTest's main lists the tests.
const bool registered = (registerScenarios("Scenarios", &makeHeadless), true);

}  // namespace
}  // namespace conformance
