#pragma once

// A player's session as a stream of events, and what the player would notice
// after each one: shared by the random-session test and the fuzz target.
#include <cmath>
#include <cstdint>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "game/paints.h"
#include "game/state.h"
#include "headless_screen.h"
#include "test_game.h"
#include "window/description.h"
#include "window/keys.h"

namespace session {

// The game's draws from a fixed seed, so a failing session can be replayed.
inline std::unique_ptr<zv::RandomSource> seeded(unsigned seed) {
    return std::make_unique<zv::SeededRandom>(seed, zv::SeededRandom::Boards::RunOn);
}

enum class Event { Tick, Arrow, P, OtherKey, ClickPause, ClickGameOver, OpenSpeed, ChooseSpeed, ChooseSize, Quit };

// Delivers one event the way the window would: a tick only while the clock
// runs, a click only on a shown button. `pick` chooses the key or the item.
inline void play(zv::zorvane& z, Event event, unsigned pick) {
    using namespace zv;
    static constexpr Integer arrows[] = {keys::Left, keys::Up, keys::Right, keys::Down};
    // Letters, digits, Escape, Space, Enter and the function keys.
    static constexpr Integer others[] = {65, 90, 81, 48, 57, 27, 32, 13, 112, 117, 118, 123};
    switch (event) {
        case Event::Tick:
            if (z.Timer1().interval != 0) z.Timer1_Timer();
            break;
        case Event::Arrow: z.Form_KeyDown(arrows[pick % 4], 0); break;
        case Event::P: z.Form_KeyDown(keys::P, 0); break;
        case Event::OtherKey: z.Form_KeyDown(others[pick % std::size(others)], 0); break;
        case Event::ClickPause:
            if (z.pause().shown) z.pause_Click();
            break;
        case Event::ClickGameOver:
            if (z.gameover().shown) z.gameover_Click();
            break;
        case Event::OpenSpeed: z.mnuSpeed_Click(); break;
        case Event::ChooseSpeed:
            z.mnuSpd_Click(Integer(description::speedItems[pick % description::speedItems.size()].index));
            break;
        case Event::ChooseSize:
            z.mnuSz_Click(Integer(description::sizeItems[pick % description::sizeItems.size()].index));
            break;
        case Event::Quit: z.mnuQuit_Click(); break;
    }
}

// Delivers one event as a window would, through the mid-end's own entry
// points: keys to whatever holds the focus, clicks only on shown buttons,
// which take the focus, and the menus by their place on the bar.
inline void deliver(HeadlessScreen& screen, Event event, unsigned pick) {
    using namespace zv;
    static constexpr Integer arrows[] = {keys::Left, keys::Up, keys::Right, keys::Down};
    // Letters, digits, Escape, Space, Enter and the function keys.
    static constexpr Integer others[] = {65, 90, 81, 48, 57, 27, 32, 13, 112, 117, 118, 123};
    const auto key = [&](Integer code) {
        screen.screen.key(screen.now, {KeyInput::Kind::Named, std::uint32_t(code)}, {}, screen.focus);
    };
    const auto click = [&](Button button, const ButtonView& view, Focus takes) {
        if (!view.shown) return;
        screen.focus = takes;
        screen.screen.click(screen.now, button);
    };
    switch (event) {
        case Event::Tick: screen.tick(); break;
        case Event::Arrow: key(arrows[pick % 4]); break;
        case Event::P: key(keys::P); break;
        case Event::OtherKey: key(others[pick % std::size(others)]); break;
        case Event::ClickPause: click(Button::Pause, screen.pause, Focus::Pause); break;
        case Event::ClickGameOver: click(Button::GameOver, screen.gameover, Focus::GameOver); break;
        case Event::OpenSpeed: screen.screen.menuOpened(screen.now, 0, screen.focus); break;
        case Event::ChooseSpeed:
            screen.screen.menuChosen(screen.now, 0, int(pick % description::speedItems.size()), screen.focus);
            break;
        case Event::ChooseSize:
            screen.screen.menuChosen(screen.now, 1, int(pick % description::sizeItems.size()), screen.focus);
            break;
        case Event::Quit: screen.screen.menuCommand(screen.now, 2, screen.focus); break;
    }
}

// A player mashing keys, buttons and menus while the clock mostly ticks. Each
// event is decided from the engine's own integer draws by plain modulo (no
// standard distribution, whose output differs between libraries), so every
// build of the game plays the same session from the same seed.
class RandomPlayer {
public:
    explicit RandomPlayer(unsigned seed) : engine_(seed * 7919u + 1) {}

    struct Move {
        Event event;
        unsigned pick;
    };
    Move next(const zv::zorvane& z) {
        const unsigned roll = unsigned(engine_() % 1000);
        const unsigned pick = unsigned(engine_());
        // A stopped game waits for the player: press an arrow.
        if (roll < 850) return {z.Timer1().interval == 0 ? Event::Arrow : Event::Tick, pick};
        static constexpr struct {
            unsigned below;
            Event event;
        } rest[] = {{960, Event::Arrow},       {968, Event::P},         {972, Event::OtherKey},
                    {980, Event::ClickPause},  {988, Event::ClickGameOver}, {992, Event::OpenSpeed},
                    {996, Event::ChooseSpeed}, {1000, Event::ChooseSize}};
        for (const auto& r : rest)
            if (roll < r.below) return {r.event, pick};
        return {Event::ChooseSize, pick};
    }

private:
    std::mt19937 engine_;
};

// Watches the board the way the screen shows it: it keeps its own copy of
// every cell's look, updated only from the game's list of changed cells,
// exactly as the window repaints, and compares the two after every event.
class Checker {
public:
    // After one event: "" when the player sees nothing wrong, otherwise what
    // is wrong. Takes the list of changed cells, as the window does.
    std::string check(zv::zorvane& z) {
        if (z.ended() || !z.loaded()) return check(z, {});
        const std::vector<std::int16_t> changed(z.Block().changes().begin(), z.Block().changes().end());
        z.Block().clearChanges();
        return check(z, changed);
    }
    // The same where a shell has already taken the list of changed cells.
    std::string check(const zv::zorvane& z, std::span<const std::int16_t> changed) {
        using namespace zv;
        if (z.ended()) return "";
        if (!z.loaded()) return "the window is not loaded";
        const BlockArray& cells = z.Block();
        const int count = cells.count();
        if (count != int(z.rows * z.cols) + 1) return "the board has " + std::to_string(count) + " elements";
        if (z.headx < 1 || z.headx > z.cols || z.heady < 1 || z.heady > z.rows) return "the head is off the board";
        if (z.headpos < 1 || z.headpos > zorvane::trailLength || z.tailpos < 0 || z.tailpos > zorvane::trailLength)
            return "trail positions out of the ring";
        const Integer head = z.cellAt(z.headx, z.heady);
        if (z.trail[std::size_t(z.headpos)] != head) return "the trail's head entry is not the head's cell";
        if (z.Caption() != titleFor(z.score, z.best)) return "title \"" + z.Caption() + "\" for the score and best";
        if (z.best < std::floor(z.score) || z.best < best_) return "the best fell behind";
        best_ = z.best;

        const bool gameoverShown = z.gameover().shown;
        if (gameoverShown && !gameoverWasShown_ && z.Timer1().interval != 0)
            return "Game Over came up with the clock still running";
        gameoverWasShown_ = gameoverShown;

        std::string problem;
        if (z.loadCount() != load_) {
            load_ = z.loadCount();
            seen_.assign(std::size_t(count), Shape{});
            for (int n = 0; n < count; ++n) seen_[std::size_t(n)] = cells[n];
            problem = checkNewBoard(z);
        } else {
            for (auto n : changed) {
                const Shape& now = cells[n];
                if (now.visible && now.fill == paints::crash && !sameLook(seen_[std::size_t(n)], now) &&
                    (z.Timer1().interval != 0 || !gameoverShown))
                    problem = "a crash left the clock running or Game Over hidden";
                // Only the head running into a blue block takes it away (it turns red).
                const Shape& before = seen_[std::size_t(n)];
                if (before.visible && before.fill == paints::blueBlock && !now.visible)
                    problem = "blue block " + std::to_string(n) + " vanished";
                seen_[std::size_t(n)] = now;
            }
        }
        if (problem.empty()) problem = checkBoard(z, head);
        return problem;
    }

private:
    static bool sameLook(const zv::Shape& a, const zv::Shape& b) {
        return a.visible == b.visible && (!a.visible || (a.fill == b.fill && a.kind == b.kind));
    }

    // Right after a load: the whole wall ring, the obstacles, no body.
    static std::string checkNewBoard(const zv::zorvane& z) {
        const int side = int(z.cols);
        int obstacles = 0;
        for (int y = 1; y <= side; ++y) {
            for (int x = 1; x <= side; ++x) {
                const char role = roleOf(z.Block()[z.cellAt(x, y)]);
                const bool wall = x == 1 || y == 1 || x == side || y == side;
                if (wall && role != '#') return "wall cell " + std::to_string(x) + "," + std::to_string(y) + " missing";
                if (role == 's') return "a new board shows body cells";
                obstacles += role == 'o';
            }
        }
        if (obstacles != side * side / 50) return std::to_string(obstacles) + " obstacles on a new board";
        return "";
    }

    std::string checkBoard(const zv::zorvane& z, zv::Integer head) {
        using namespace zv;
        const BlockArray& cells = z.Block();
        const int count = cells.count();
        live_.assign(std::size_t(count), 0);
        for (const Integer n : liveTrail(z))
            if (n >= 0 && n < count) live_[std::size_t(n)] = 1;

        int shown = 0, food = 0, circles = 0;
        Integer foodCell = 0;
        if (cells.visible(0)) return "the template cell is shown";
        for (int n = 1; n < count; ++n) {
            const Shape& s = cells[n];
            if (!sameLook(s, seen_[std::size_t(n)])) return "cell " + std::to_string(n) + " changed but was not listed";
            if (!s.visible) continue;
            ++shown;
            circles += s.kind == ShapeKind::Circle;
            const char role = roleOf(s);
            if (role == '?') return "cell " + std::to_string(n) + " has a look no role has";
            if (role == '*') {
                ++food;
                foodCell = Integer(n);
            }
            if (role == 's' && !live_[std::size_t(n)])
                return "body cell " + std::to_string(n) + " lies on no live trail entry: no tail step will clear it";
        }
        if (shown != cells.shownCells()) return "the count of shown cells is off";
        if (food > 1) return std::to_string(food) + " food cells";
        if (food == 1 && (!z.foodup || z.scratch != foodCell)) return "the food shown is not the game's food";
        if (food == 0 && z.foodup) return "the food is up but not shown: it can be neither eaten nor replaced";
        // Until a crash, the snake shows one head: a circle on the head's cell.
        if (!z.gameover().shown && (circles != 1 || roleOf(cells[head]) != 'H'))
            return std::to_string(circles) + " circles, head cell shows '" + roleOf(cells[head]) + "'";
        return "";
    }

    long load_ = -1;
    double best_ = 0;
    bool gameoverWasShown_ = false;
    std::vector<zv::Shape> seen_;
    std::vector<std::uint8_t> live_;
};

}  // namespace session
