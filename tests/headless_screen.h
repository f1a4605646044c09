#pragma once

// A front end with no toolkit: a surface over the game's own mid-end that
// paints into a picture of device pixels, so the whole game can be played
// and looked at without a display, exactly as a window would run it.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>

#include "midend/painting.h"
#include "midend/pixel_canvas.h"
#include "midend/screen.h"
#include "screen_test_peer.h"

class HeadlessScreen final : public zv::PictureSurface {
public:
    // A side of 0 leaves the first board at the game's own size.
    explicit HeadlessScreen(std::unique_ptr<zv::RandomSource> random, double ratio = 1, int side = 0)
        : screen(*this, std::move(random)) {
        if (side != 0) game().boardsize = zv::Integer(side);
        screen.start(ratio, now);
    }

    zv::Screen screen;
    zv::zorvane& game() { return zv::ScreenTestPeer::game(screen); }
    const zv::zorvane& game() const { return screen.game(); }
    const zv::BoardGeometry& geometry() const { return screen.geometry(); }

    // What the player sees.
    std::string title;
    std::span<const zv::MenuBarTitle> bar;
    zv::ButtonView pause;
    zv::ButtonView gameover;
    int placements = 0;  // buttons placed, changed or not
    zv::Focus focus = zv::Focus::Board;
    bool ended = false;
    std::optional<Time> wakeUp;
    zv::Surface::Time now{};
    int interval() const { return screen.interval(); }
    // The last handler's repaint list, and how many whole-board paints there were.
    std::span<const std::int16_t> repainted() const { return screen.repainted(); }
    std::int64_t rebuilds() const { return screen.rebuilds(); }

    // The clock wakes the program when its next tick falls due.
    bool tick() {
        if (!wakeUp) return false;
        now = *wakeUp;
        return screen.wake(now) > 0;
    }
    int width() const { return picture_.width(); }
    int height() const { return picture_.height(); }
    zv::Rgb at(int x, int y) const {
        const std::uint8_t* p = picture_.pixels() + (std::size_t(y) * std::size_t(width()) + std::size_t(x)) * 4;
        return {p[0], p[1], p[2]};
    }

    // Whether every repaint so far adds up to the whole board painted afresh.
    bool matchesWholeRepaint() const {
        zv::PixelCanvas whole;
        const zv::Box device = geometry().toDevice(inner_);
        whole.resize(device.width, device.height);
        zv::paintArea(whole, geometry(), game().Block(), device);
        const std::size_t bytes = std::size_t(width()) * std::size_t(height()) * 4;
        return whole.width() == width() && whole.height() == height() &&
               std::equal(picture_.pixels(), picture_.pixels() + bytes, whole.pixels());
    }

    // The surface.
    bool layOut(const zv::Box& inner, int width, int height) override {
        inner_ = inner;
        return picture_.resize(width, height);
    }
    void present(std::span<const zv::Box>) override {}
    void placeButton(zv::Button button, const zv::ButtonView& view) override {
        (button == zv::Button::Pause ? pause : gameover) = view;
        ++placements;
    }
    void setTitle(const std::string& text) override { title = text; }
    void buildMenus(std::span<const zv::MenuBarTitle> table) override { bar = table; }
    void wakeAt(std::optional<Time> due) override { wakeUp = due; }
    void moveFocus(zv::Focus to) override { focus = to; }
    void end() override { ended = true; }

private:
    zv::Box inner_;
};
