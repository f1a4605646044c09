#pragma once

// A front end with no toolkit: it applies every screen update the way a real
// window does and paints into a picture of device pixels, so the whole shell
// layer can be played and looked at without a display.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "window/painting.h"
#include "window/pixel_canvas.h"
#include "window/shell.h"
#include "window/tick_schedule.h"

class HeadlessScreen {
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
    zv::PixelCanvas canvas;
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
    // The clock wakes the program when its next tick falls due.
    bool tick() {
        const auto due = clock.nextDue();
        if (!due) return false;
        now = *due;
        return clock.takeTick(now) && run([](zv::zorvane& z) { z.Timer1_Timer(); });
    }
    int width() const { return canvas.width(); }
    int height() const { return canvas.height(); }
    zv::Rgb at(int x, int y) const {
        const std::uint8_t* p = canvas.pixels() + (std::size_t(y) * std::size_t(width()) + std::size_t(x)) * 4;
        return {p[0], p[1], p[2]};
    }

    // Whether every repaint so far adds up to the whole board painted afresh.
    bool matchesWholeRepaint() {
        zv::PixelCanvas whole;
        paintWhole(whole);
        const std::size_t bytes = std::size_t(width()) * std::size_t(height()) * 4;
        return whole.width() == width() && whole.height() == height() &&
               std::equal(canvas.pixels(), canvas.pixels() + bytes, whole.pixels());
    }

private:
    // Sizes a picture to the inner area and paints all of it.
    void paintWhole(zv::PixelCanvas& target) {
        const zv::Box device = shell.geometry().toDevice(inner_);
        target.resize(device.width, device.height);
        zv::paintArea(target, shell.geometry(), game().Block(), device);
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
            paintWhole(canvas);
        } else {
            zv::repaintCells(canvas, shell.geometry(), game().Block(), update.cells);
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
