#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "midend/key_rules.h"
#include "midend/random_ptr.h"
#include "midend/surface.h"
#include "midend/tick_schedule.h"

namespace zv {

class Alarm;
class ScreenCore;
class zorvane;

// The mid-end: the one place that runs the game's handlers for a front end
// and brings its surface in line after each one (what to repaint, the
// buttons, the title, the clock's one wake-up, the focus, the end). Its
// entry points are the events a window has, each with its time on the
// monotonic clock the surface wakes it on; ticks that fell due before an
// event run first.
class Screen {
public:
    using Time = TickSchedule::Time;

    // Front ends leave the random source to the default, the time of day's;
    // tests hand in draws of their own.
    explicit Screen(Surface& surface, RandomPtr random = timeSeededRandom());
    ~Screen();

    // Loads the window at this device-pixel ratio: the first board is
    // painted, the title and buttons set, before the window is ever shown.
    void start(double ratio, Time now = {});
    // A new device-pixel ratio: the whole board again and both buttons'
    // places, in its new pixels.
    // False when nothing had to change, or there was no room for it.
    bool setRatio(double ratio);
    // The room the screen leaves the window, in logical pixels, with
    // `chrome` logical pixels of the front end's own above the board (its
    // menu bar): where the window does not fit, the board is drawn smaller,
    // at the screen's ratio times fit(), and the front end scales its own
    // parts by fit() with it. Every new board is fitted again. False when
    // nothing had to change.
    bool setRoom(double width, double height, double chrome);
    double fit() const;

    // The wake-up the surface was asked for: runs the ticks due by now, as
    // many as the one pacing rule makes up (at most `most`, when given), for
    // a timer that may wake up to `early` too soon, and the title when its
    // turn has come (see TitlePace). Returns how many ticks ran.
    int wake(Time now, Time early = {}, int most = 0);

    // A desktop front end's timer drives the clock: each of its wake-ups
    // goes to wake(), with how early the timer may come.
    void follow(Alarm& alarm);

    // A key went down while `holder` held the focus. A menu's shortcut
    // chooses its item wherever the focus is. Tab (Shift+Tab back) takes the
    // focus round the board and the shown buttons, Game Over first; with no
    // button shown it is an ordinary key. Any other key reaches the game
    // only from the board, or from no part (a focused button takes Space and
    // Enter itself, a menu bar holding the keys its own).
    // True when the key was taken.
    bool key(Time now, const KeyInput& key, HeldModifiers held, Focus holder);
    // The same for a key a front end has already turned into the key
    // handler's arguments under rules of its own.
    bool key(Time now, KeyDown down, Focus holder);
    // A finger on the board, at logical pixels of the inner area: a swipe
    // steers as the arrows do and a tap is P (see Swipe). The touch takes
    // the keys to the board. A turn that would send the snake back the way
    // it last moved waits for the next tick (see steer()). A touch that
    // begins on a shown button is the button's to its end: false, for the
    // toolkit to make the button's click of it.
    enum class Touch { Down, Move, Up, Cancel };
    bool touch(Time now, Touch phase, double x, double y);
    // The same at device pixels of the board's picture, as a toolkit that
    // counts the screen's own pixels reports a finger.
    bool touchDevice(Time now, Touch phase, double x, double y);
    // The window went out of sight (another app, another tab, a phone's
    // screen off): a running game holds as P holds it, since the clock
    // cannot be kept there. A game that stands is left as it is. Back in
    // sight, the held game shows; a key, a swipe or Pause resumes it.
    void hidden(Time now);
    // A click on a shown button, which takes the focus with it.
    void click(Time now, Button button);
    // A menu of the bar opened, one of its items chosen (by its place), or
    // a title without items (a command) clicked; titles as in menuTitles.
    void menuOpened(Time now, int title, Focus holder);
    void menuChosen(Time now, int title, int item, Focus holder);
    void menuCommand(Time now, int title, Focus holder);

    // The window was closed: the program ends as on Quit, at once.
    void close();

    const zorvane& game() const;
    const BoardGeometry& geometry() const;
    bool ended() const;
    Focus focus() const;
    int interval() const;
    std::optional<Time> nextDue() const;
    std::int64_t droppedTicks() const;
    // The cells the last handler repainted (empty after a whole repaint).
    std::span<const std::int16_t> repainted() const;
    std::int64_t rebuilds() const;

private:
    // Tests set a game up before it starts, or mid-game, through a peer of
    // their own; nothing else changes the game but its handlers.
    friend class ScreenTestPeer;

    // The game and all that runs it stay behind the mid-end's walls: a front
    // end sees none of the game's own headers.
    std::unique_ptr<ScreenCore> core_;
};

}  // namespace zv
