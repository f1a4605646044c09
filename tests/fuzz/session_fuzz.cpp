// libFuzzer target: the input is a whole session. Its first four bytes seed
// the game's random draws; each following pair of bytes is one player event
// and the key, item or tick count it picks. After every event the board must
// look to the player exactly as the game believes it is.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "session_checks.h"

namespace {

using session::Event;

// Ticks dominate, as in play; a run of ticks lets the snake travel far.
Event eventFor(std::uint8_t code) {
    static constexpr Event table[32] = {
        Event::Tick,       Event::Tick,        Event::Tick,          Event::Tick,          Event::Tick,
        Event::Tick,       Event::Tick,        Event::Tick,          Event::Tick,          Event::Tick,
        Event::Tick,       Event::Tick,        Event::Tick,          Event::Tick,          Event::Arrow,
        Event::Arrow,      Event::Arrow,       Event::Arrow,         Event::Arrow,         Event::Arrow,
        Event::P,          Event::OtherKey,    Event::ClickPause,    Event::ClickPause,    Event::ClickGameOver,
        Event::ClickGameOver, Event::OpenSpeed, Event::ChooseSpeed,  Event::ChooseSize,    Event::ChooseSize,
        Event::Quit,       Event::Arrow,
    };
    return table[code % 32];
}

[[noreturn]] void fail(const std::string& problem, std::size_t at) {
    std::fprintf(stderr, "after the event at byte %zu: %s\n", at, problem.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint32_t seed = 0;
    std::size_t at = 0;
    for (; at < 4 && at < size; ++at) seed = seed << 8 | data[at];

    zv::zorvane z(session::seeded(seed));
    z.Show();
    session::Checker checker;
    if (auto problem = checker.check(z); !problem.empty()) fail(problem, at);

    for (; at + 1 < size && !z.ended(); at += 2) {
        const Event event = eventFor(data[at]);
        const unsigned pick = data[at + 1];
        // A tick event stands for a run of up to 64 ticks while the clock runs.
        const int times = event == Event::Tick ? int(pick % 64) + 1 : 1;
        for (int i = 0; i < times; ++i) {
            if (event == Event::Tick && z.Timer1().interval == 0) break;
            session::play(z, event, pick);
            if (auto problem = checker.check(z); !problem.empty()) fail(problem, at);
        }
    }
    return 0;
}
