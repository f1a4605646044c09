#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>

namespace zv {

// How many ticks of `interval` milliseconds fall due within `span` (at least
// one): the most a clock catches up at once.
int ticksWithin(std::chrono::nanoseconds span, int interval);

// When the game clock's ticks fall due. Each tick falls due one interval after
// the previous one fell due, however long its handler took, so the game keeps
// its pace. Of the ticks that fell due while the program was busy, those
// within catchUpSpan are made up on waking; older ones are dropped, not made
// up in a burst, and counted. The front end supplies the time (from a
// monotonic clock, from any fixed origin) and wakes the program at nextDue().
class TickSchedule {
public:
    using Time = std::chrono::nanoseconds;

    // How far back a wake-up makes up the ticks it missed, on every front
    // end: one screen refresh at 60 Hz. Timers wake a millisecond or two late
    // now and then (coarse system timers, a busy machine, a browser that
    // holds timers to 4 ms); making those ticks up keeps the game's pace at
    // 1 ms, and what runs in one go never shows on screen as a jump. A wake-up
    // held up for longer (a stall, an open menu, a hidden tab) drops the rest
    // rather than sending the snake off in a burst.
    static constexpr Time catchUpSpan = std::chrono::milliseconds(16);

    // An interval of 0 stops the clock. Setting the interval it already has
    // leaves the countdown alone: the key handler sets it on every key, and a
    // held key must not freeze play. Returns whether the countdown changed.
    bool setInterval(int milliseconds, Time now);
    int interval() const { return interval_; }

    // When the next tick falls due; nothing while stopped.
    std::optional<Time> nextDue() const;

    // Whether a tick is due by now: at most one runs, the others are dropped.
    bool takeTick(Time now) { return takeTicks(now, 1) == 1; }
    // The same for a timer that may wake up to `early` before the due time:
    // such a wake-up counts as the tick it came for, and only lateness
    // counts towards dropping.
    bool takeTick(Time now, Time early) { return takeTicks(now, 1, early) == 1; }
    // How many ticks to run now, at most `most` (at least 1); the rest are dropped.
    int takeTicks(Time now, int most, Time early = {});
    // Takes the ticks due by now as takeTicks() does and runs `tick` for each.
    // A tick that stops or restarts the clock ends the run: what the old
    // countdown owed lapses. Returns how many ran.
    template <typename Tick>
    int runDueTicks(Time now, int most, Time early, Tick&& tick) {
        const int due = takeTicks(now, most, early);
        const std::uint64_t countdown = countdowns_;
        int ran = 0;
        while (ran < due && countdowns_ == countdown) {
            ++ran;
            tick();
        }
        return ran;
    }

    // The one pacing rule: runs the ticks due by now, as many as fell due
    // within catchUpSpan, for a timer that may wake up to `early` too soon.
    template <typename Tick>
    int runDueTicks(Time now, Time early, Tick&& tick) {
        return runDueTicks(now, ticksWithin(catchUpSpan, interval_), early, std::forward<Tick>(tick));
    }

    std::int64_t droppedTicks() const { return dropped_; }

private:
    Time period() const { return std::chrono::milliseconds(interval_); }

    int interval_ = 0;
    Time due_{};
    std::int64_t dropped_ = 0;
    std::uint64_t countdowns_ = 0;  // how many times the clock was set anew
};

}  // namespace zv
