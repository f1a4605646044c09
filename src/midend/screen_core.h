#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/random_source.h"
#include "game/state.h"
#include "midend/screen.h"
#include "midend/shell.h"
#include "midend/swipe.h"
#include "midend/title_pace.h"

namespace zv {

// What a Screen runs: the game's shell and all it keeps between events.
// Each entry point is the Screen's of the same name (screen.h).
class ScreenCore {
public:
    using Time = Screen::Time;
    using Touch = Screen::Touch;

    ScreenCore(Surface& surface, std::unique_ptr<RandomSource> random);

    void start(double ratio, Time now);
    bool setRatio(double ratio);
    bool setRoom(double width, double height, double chrome);
    double fit() const;
    int wake(Time now, Time early = {}, int most = 0);
    void follow(Alarm& alarm);
    bool key(Time now, const KeyInput& key, HeldModifiers held, Focus holder);
    bool key(Time now, KeyDown down, Focus holder);
    bool touch(Time now, Touch phase, double x, double y);
    bool touchDevice(Time now, Touch phase, double x, double y);
    void hidden(Time now);
    void click(Time now, Button button);
    void menuOpened(Time now, int title, Focus holder);
    void menuChosen(Time now, int title, int item, Focus holder);
    void menuCommand(Time now, int title, Focus holder);
    void close();

    const zorvane& game() const { return shell_.game(); }
    const BoardGeometry& geometry() const { return shell_.geometry(); }
    bool ended() const { return ended_; }
    Focus focus() const { return focus_; }
    int interval() const { return clock_.interval(); }
    std::optional<Time> nextDue() const { return clock_.nextDue(); }
    std::int64_t droppedTicks() const { return clock_.droppedTicks(); }
    std::span<const std::int16_t> repainted() const { return repainted_; }
    std::int64_t rebuilds() const { return rebuilds_; }

private:
    // Tests set a game up before it starts, or mid-game, through a peer of
    // their own; nothing else changes the game but its handlers.
    friend class ScreenTestPeer;

    template <typename Handler>
    void run(Time now, Focus holder, Handler&& handler);
    void apply(const ScreenUpdate& update, Time now);
    bool paintWhole();
    bool refit();
    bool tab(bool backward, Focus holder);
    void rearm();
    void catchUp(Time now);
    void showTitle(Time now, bool atOnce);
    void steer(Time now, Integer turn);

    Surface& surface_;
    Shell shell_;
    TickSchedule clock_;
    TitlePace titles_;
    bool ticking_ = false;  // in a wake-up's ticks, not an event's handler
    Box inner_;
    double ratio_ = 1;  // the screen's
    double roomWidth_ = 0, roomHeight_ = 0, chrome_ = 0;
    Focus focus_ = Focus::Board;
    ButtonView shown_[2];
    bool placed_ = false;
    bool ended_ = false;
    std::int64_t rebuilds_ = 0;
    std::vector<std::int16_t> repainted_;
    Swipe swipe_;
    std::string movedWay_;               // the snake's heading at its last tick
    std::optional<Integer> waitingTurn_;  // a finger's turn held for the next tick
    bool touchOnButton_ = false;          // the touch going on began on a shown button
    std::vector<Box> boxes_;  // kept, so a tick allocates nothing
};

}  // namespace zv
