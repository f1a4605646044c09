#include "midend/screen_core.h"

#include <utility>

#include "midend/alarm.h"
#include "window/keys.h"
#include "window/menus.h"

namespace zv {
namespace {

std::size_t slot(Button button) { return button == Button::Pause ? 0 : 1; }

// The arrow that heads the snake `way`, or nothing for no heading.
std::optional<Integer> arrowOf(const std::string& way) {
    if (way == "up") return keys::Up;
    if (way == "down") return keys::Down;
    if (way == "left") return keys::Left;
    if (way == "right") return keys::Right;
    return std::nullopt;
}

bool reverses(Integer turn, const std::string& way) {
    return (turn == keys::Up && way == "down") || (turn == keys::Down && way == "up") ||
           (turn == keys::Left && way == "right") || (turn == keys::Right && way == "left");
}

}  // namespace

ScreenCore::ScreenCore(Surface& surface, std::unique_ptr<RandomSource> random)
    : surface_(surface), shell_(std::move(random)) {}

void ScreenCore::start(double ratio, Time now) {
    ratio_ = ratio;
    shell_.setDevicePixelRatio(ratio);
    surface_.buildMenus(menuTable());
    apply(shell_.start(), now);
}

bool ScreenCore::setRatio(double ratio) {
    if (ended_) return false;
    ratio_ = ratio;
    return refit();
}

bool ScreenCore::setRoom(double width, double height, double chrome) {
    if (ended_) return false;
    roomWidth_ = width;
    roomHeight_ = height;
    chrome_ = chrome;
    return refit();
}

double ScreenCore::fit() const {
    return fitScale(inner_.width, inner_.height + chrome_, roomWidth_, roomHeight_);
}

// The board at the screen's ratio, shrunk to fit: all of it again where that changed.
bool ScreenCore::refit() {
    const double was = shell_.geometry().ratio();
    if (!shell_.setDevicePixelRatio(ratio_ * fit())) return false;
    if (!paintWhole()) {
        shell_.setDevicePixelRatio(was);
        return false;
    }
    // The buttons stand where they stood, in the new ratio's device pixels.
    if (placed_)
        for (const Button button : {Button::Pause, Button::GameOver}) surface_.placeButton(button, shown_[slot(button)]);
    return true;
}

int ScreenCore::wake(Time now, Time early, int most) {
    if (ended_) return 0;
    const auto tick = [&] {
        run(now, focus_, [](zorvane& z) { z.Timer1_Timer(); });
        movedWay_ = shell_.game().direction;
        if (const auto turn = std::exchange(waitingTurn_, std::nullopt))
            run(now, Focus::Board, [&](zorvane& z) { z.Form_KeyDown(*turn, 0); });
    };
    // Ending the game stops the clock, which ends the run as well.
    const bool was = std::exchange(ticking_, true);
    const int ran = most > 0 ? clock_.runDueTicks(now, most, early, tick) : clock_.runDueTicks(now, early, tick);
    ticking_ = was;
    if (!ended_) showTitle(now + early, !clock_.nextDue());
    rearm();
    return ran;
}

// Whatever fell due before an event happens first.
void ScreenCore::catchUp(Time now) {
    if (clock_.nextDue() && *clock_.nextDue() <= now) wake(now);
}

void ScreenCore::follow(Alarm& alarm) {
    alarm.onWake = [this, &alarm](Time now) { wake(now, alarm.early()); };
}

bool ScreenCore::key(Time now, const KeyInput& key, HeldModifiers held, Focus holder) {
    const auto down = keyDown(key, held);
    return down && this->key(now, *down, holder);
}

bool ScreenCore::key(Time now, KeyDown down, Focus holder) {
    if (ended_) return false;
    waitingTurn_.reset();  // a key of the player's own comes after the finger's turn
    for (std::size_t t = 0; t < menuTitles.size(); ++t)
        for (std::size_t i = 0; i < menuTitles[t].items.size(); ++i)
            if (menuTitles[t].items[i].shortcut == down.keyCode) {
                menuChosen(now, int(t), int(i), holder);
                return true;
            }
    if (down.keyCode == keys::Tab && tab((down.shift & 1) != 0, holder)) return true;
    if (holder != Focus::Board && holder != Focus::Nothing) return false;
    run(now, holder, [&](zorvane& z) { z.Form_KeyDown(down.keyCode, down.shift); });
    return true;
}

bool ScreenCore::touch(Time now, Touch phase, double x, double y) {
    if (phase == Touch::Down) {
        touchOnButton_ = false;
        for (const ButtonView& button : shown_) {
            const Box& b = button.place;
            touchOnButton_ |= button.shown && x >= b.x && x < b.right() && y >= b.y && y < b.bottom();
        }
    }
    if (touchOnButton_) return false;
    if (ended_) return true;
    std::optional<Integer> code;
    switch (phase) {
        case Touch::Down:
            swipe_.down(x, y);
            focus_ = Focus::Board;
            surface_.moveFocus(focus_);
            return true;
        case Touch::Move: code = swipe_.move(x, y); break;
        case Touch::Up: code = swipe_.up(x, y); break;
        case Touch::Cancel: swipe_.cancel(); return true;
    }
    if (code && *code == keys::P) key(now, KeyDown{*code, 0}, Focus::Board);
    else if (code) steer(now, *code);
    return true;
}

bool ScreenCore::touchDevice(Time now, Touch phase, double x, double y) {
    const double ratio = shell_.geometry().ratio();
    return touch(now, phase, x / ratio, y / ratio);
}

// The key rules check a turn against the last turn, not against the way the
// snake last moved, so one touch that turns twice before the snake moves
// (heading right: up, then left) would steer it into its own neck. Such a
// turn waits for the next tick and is made on the next cell, as the finger
// drew it: dropping it would lose a turn the player saw himself make, and
// the finger has already gone on from there. A later turn of the same
// finger takes the waiting one's place, so turns never overtake each other.
void ScreenCore::steer(Time now, Integer turn) {
    if (ended_) return;
    catchUp(now);
    if (!waitingTurn_ && !reverses(turn, movedWay_)) {
        key(now, KeyDown{turn, 0}, Focus::Board);
        return;
    }
    // A held game is resumed by the snake's own heading, as by any key.
    const auto own = arrowOf(shell_.game().direction);
    if (clock_.interval() == 0 && own) key(now, KeyDown{*own, 0}, Focus::Board);
    waitingTurn_ = turn;
}

void ScreenCore::hidden(Time now) {
    if (ended_) return;
    catchUp(now);  // one of the ticks may have stopped the game
    if (clock_.interval() == 0) return;
    waitingTurn_.reset();
    run(now, focus_, [](zorvane& z) { z.Form_KeyDown(keys::P, 0); });
}

void ScreenCore::click(Time now, Button button) {
    if (!shown_[slot(button)].shown) return;
    if (button == Button::Pause) run(now, Focus::Pause, [](zorvane& z) { z.pause_Click(); });
    else run(now, Focus::GameOver, [](zorvane& z) { z.gameover_Click(); });
}

void ScreenCore::menuOpened(Time now, int title, Focus holder) {
    const MenuTitle* t = menuTitleAt(title);
    if (t && t->opened) run(now, holder, [t](zorvane& z) { (z.*t->opened)(); });
}

void ScreenCore::menuChosen(Time now, int title, int item, Focus holder) {
    const MenuTitle* t = menuTitleAt(title);
    if (!t || !t->chosen || item < 0 || std::size_t(item) >= t->items.size()) return;
    const auto index = Integer(t->items[std::size_t(item)].index);
    run(now, holder, [t, index](zorvane& z) { (z.*t->chosen)(index); });
}

void ScreenCore::menuCommand(Time now, int title, Focus holder) {
    const MenuTitle* t = menuTitleAt(title);
    if (t && t->clicked) run(now, holder, [t](zorvane& z) { (z.*t->clicked)(); });
}

void ScreenCore::close() {
    if (ended_) return;
    ScreenUpdate update;
    update.ended = true;
    apply(update, {});
}

template <typename Handler>
void ScreenCore::run(Time now, Focus holder, Handler&& handler) {
    if (ended_) return;
    catchUp(now);
    focus_ = holder;
    if (auto update = shell_.run(std::forward<Handler>(handler), holder)) apply(*update, now);
}

void ScreenCore::apply(const ScreenUpdate& update, Time now) {
    if (update.ended) {
        ended_ = true;
        clock_.setInterval(0, now);
        surface_.wakeAt(std::nullopt);
        surface_.end();
        return;
    }
    if (update.rebuild) {
        // A new board starts afresh: nothing moved on it yet.
        movedWay_ = shell_.game().direction;
        waitingTurn_.reset();
        inner_ = update.inner;
        shell_.setDevicePixelRatio(ratio_ * fit());
        ++rebuilds_;
        repainted_.clear();
        paintWhole();
    } else {
        repainted_.assign(update.cells.begin(), update.cells.end());
        // Each listed cell (n > 0) with the neighbours its box grazes, keeping
        // each box to present.
        const BoardGeometry& geometry = shell_.geometry();
        boxes_.clear();
        for (const auto n : update.cells) {
            if (n <= 0) continue;
            boxes_.push_back(geometry.toDevice(geometry.repaintBox(n)));
            paintArea(surface_, geometry, shell_.game().Block(), boxes_.back());
        }
        if (!boxes_.empty()) surface_.present(boxes_);
    }
    for (const Button button : {Button::Pause, Button::GameOver}) {
        const ButtonView& view = button == Button::Pause ? update.pause : update.gameover;
        if (placed_ && view == shown_[slot(button)]) continue;
        shown_[slot(button)] = view;
        surface_.placeButton(button, view);
    }
    placed_ = true;
    const bool countdownChanged = clock_.setInterval(update.interval, now);
    // What an event changed, or held back once the game stands, shows at
    // once; what ticks changed waits for the wake-up's end.
    if (!ticking_ && (update.title || !clock_.nextDue())) showTitle(now, true);
    if (countdownChanged) rearm();
    if (update.focus) {
        focus_ = *update.focus;
        surface_.moveFocus(focus_);
    }
}

bool ScreenCore::tab(bool backward, Focus holder) {
    Focus ring[3] = {Focus::Board};
    int size = 1;
    for (const Button button : {Button::GameOver, Button::Pause})
        if (shown_[slot(button)].shown) ring[size++] = button == Button::Pause ? Focus::Pause : Focus::GameOver;
    if (size == 1) return false;
    int at = 0;
    while (at < size && ring[at] != holder) ++at;
    if (at == size) at = 0;  // from anywhere else, as from the board
    focus_ = ring[(at + (backward ? size - 1 : 1)) % size];
    surface_.moveFocus(focus_);
    return true;
}

bool ScreenCore::paintWhole() {
    const Box device = shell_.geometry().toDevice(inner_);
    if (!surface_.layOut(inner_, device.width, device.height)) return false;
    paintArea(surface_, shell_.geometry(), shell_.game().Block(), device);
    const Box whole[] = {device};
    surface_.present(whole);
    return true;
}

void ScreenCore::rearm() {
    if (!ended_) surface_.wakeAt(clock_.nextDue());
}

void ScreenCore::showTitle(Time now, bool atOnce) {
    if (const std::string* title = titles_.take(shell_.game().Caption(), now, atOnce)) surface_.setTitle(*title);
}

}  // namespace zv
