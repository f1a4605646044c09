#pragma once

// A front end with no toolkit: it applies every screen update the way a real
// window does and paints into a picture of device pixels, so the whole shell
// layer can be played and looked at without a display.
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "window/painting.h"
#include "window/shell.h"
#include "window/tick_schedule.h"

class HeadlessScreen final : public zv::Canvas {
public:
    // A side of 0 leaves the first board at the game's own size.
    explicit HeadlessScreen(std::unique_ptr<zv::RandomSource> random, double ratio = 1, int side = 0)
        : shell(std::move(random)) {
        if (side != 0) shell.game().boardsize = zv::Integer(side);
        shell.setDevicePixelRatio(ratio);
        apply(shell.start());
    }

    zv::Shell shell;
    zv::zorvane& game() { return shell.game(); }

    // What the player sees.
    std::vector<zv::Rgb> picture;
    int width = 0;  // device pixels
    int height = 0;
    std::string title;
    zv::ButtonView pause;
    zv::ButtonView gameover;
    int interval = 0;
    zv::TickSchedule clock;
    zv::TickSchedule::Time now{};
    zv::Focus focus = zv::Focus::Board;
    bool ended = false;
    // The last update's repaint list, and how many whole-board paints there were.
    std::vector<std::int16_t> repainted;
    int rebuilds = 0;

    // Runs a handler as the window's event would; false when nothing ran.
    template <typename Handler>
    bool run(Handler&& handler) {
        auto update = shell.run(std::forward<Handler>(handler), focus);
        if (update) apply(*update);
        return update.has_value();
    }
    // A key reaches the game only while no button holds the focus.
    bool key(zv::Integer code, zv::Integer shift = 0) {
        return focus == zv::Focus::Board && run([=](zv::zorvane& z) { z.Form_KeyDown(code, shift); });
    }
    // The clock wakes the program when its next tick falls due.
    bool tick() {
        const auto due = clock.nextDue();
        if (!due) return false;
        now = *due;
        return clock.takeTick(now) && run([](zv::zorvane& z) { z.Timer1_Timer(); });
    }
    // A click lands only on a shown button, and a pressed button takes the focus.
    bool clickPause() { return click(pause, zv::Focus::Pause, [](zv::zorvane& z) { z.pause_Click(); }); }
    bool clickGameOver() { return click(gameover, zv::Focus::GameOver, [](zv::zorvane& z) { z.gameover_Click(); }); }

    zv::Rgb at(int x, int y) const { return picture[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }

    // The whole board painted afresh: what every repaint so far must add up to.
    std::vector<zv::Rgb> paintedWhole() {
        HeadlessScreen::Target saved{std::exchange(picture, {}), width, height};
        resize();
        const std::vector<zv::Rgb> whole = std::exchange(picture, std::move(saved.picture));
        return whole;
    }

    void fillRect(const zv::Box& box, zv::Rgb colour) override {
        for (int y = std::max(0, box.y); y < std::min(height, box.bottom()); ++y)
            for (int x = std::max(0, box.x); x < std::min(width, box.right()); ++x)
                picture[std::size_t(y) * std::size_t(width) + std::size_t(x)] = colour;
    }
    // Pixels whose centres lie inside the disc; the outermost `pen` of them in
    // the outline colour. Every value is a multiple of a half, so the sums are
    // exact and every build paints the same pixels.
    void fillDisc(const zv::Box& square, zv::Rgb fill, zv::Rgb outline, double pen) override {
        const double radius = square.width / 2.0;
        const double inner = std::max(0.0, radius - pen);
        for (int y = square.y; y < square.bottom(); ++y) {
            for (int x = square.x; x < square.right(); ++x) {
                const double dx = x + 0.5 - square.x - radius;
                const double dy = y + 0.5 - square.y - radius;
                const double d2 = dx * dx + dy * dy;
                if (d2 <= radius * radius) fillRect({x, y, 1, 1}, d2 <= inner * inner ? fill : outline);
            }
        }
    }

private:
    struct Target {
        std::vector<zv::Rgb> picture;
        int width;
        int height;
    };

    template <typename Handler>
    bool click(const zv::ButtonView& button, zv::Focus pressed, Handler&& handler) {
        if (!button.shown) return false;
        focus = pressed;
        return run(std::forward<Handler>(handler));
    }

    // Sizes the picture to the inner area and paints all of it.
    void resize() {
        const zv::Box device = shell.geometry().toDevice(inner_);
        width = device.width;
        height = device.height;
        picture.assign(std::size_t(width) * std::size_t(height), zv::Rgb{});
        zv::paintArea(*this, shell.geometry(), game().Block(), device);
    }

    void apply(const zv::ScreenUpdate& update) {
        if (update.ended) {
            ended = true;
            clock.setInterval(0, now);
            interval = 0;
            return;
        }
        repainted.assign(update.cells.begin(), update.cells.end());
        if (update.rebuild) {
            inner_ = update.inner;
            ++rebuilds;
            resize();
        } else {
            for (auto n : update.cells)
                if (n > 0)
                    zv::paintArea(*this, shell.geometry(), game().Block(), shell.geometry().toDevice(shell.geometry().repaintBox(n)));
        }
        pause = update.pause;
        gameover = update.gameover;
        if (update.title) title = *update.title;
        clock.setInterval(update.interval, now);
        interval = clock.interval();
        if (update.focus) focus = *update.focus;
    }

    zv::Box inner_;
};
