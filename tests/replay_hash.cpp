// Plays fixed seeds of random play and prints, per seed, a hash of the
// game's whole state. Every build of the game must print the same lines, so
// Linux, Windows and WebAssembly builds are compared line by line: a
// difference means some arithmetic or library call behaves differently.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "session_checks.h"

namespace {

using namespace zv;

// 64-bit FNV-1a over fixed-width values, so that `long` being 32 bits on
// Windows changes nothing.
class StateHash {
public:
    std::uint64_t value() const { return hash_; }

    void number(std::int64_t v) { bytes(&v, sizeof v); }
    void real(double v) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        number(std::int64_t(bits));
    }
    void text(std::string_view s) {
        number(std::int64_t(s.size()));
        bytes(s.data(), s.size());
    }
    void colour(Rgb c) { number(c.red << 16 | c.green << 8 | c.blue); }

    void button(const CommandButton& b) {
        text(b.caption);
        for (float v : {b.left, b.top, b.width, b.height}) real(v);
        number(b.shown);
        number(b.tabIndex);
    }

    void game(const zorvane& z) {
        text(z.direction);
        for (double v : {z.headx, z.heady, z.speed, z.rows, z.cols, z.scratch, z.cellheight, z.growtick, z.tailpos,
                         z.headpos, z.score, z.best})
            real(v);
        for (std::int64_t v : {std::int64_t(z.headcell), std::int64_t(z.boardsize), std::int64_t(z.restartflag),
                               std::int64_t(z.levelpoints), std::int64_t(z.foodup)})
            number(v);
        for (Integer n : z.trail) number(n);
        for (bool b : {z.loaded(), z.onScreen(), z.ended()}) number(b);
        number(z.loadCount());
        text(z.Caption());
        real(z.innerWidth());
        real(z.innerHeight());
        if (!z.loaded()) return;
        button(z.pause());
        button(z.gameover());
        number(z.Timer1().interval);
        const BlockArray& cells = z.Block();
        number(cells.count());
        for (int n = 0; n < cells.count(); ++n) {
            const Shape& s = cells[n];
            number(s.visible);
            colour(s.fill);
            colour(s.outline);
            number(std::int64_t(s.kind));
            for (float v : {s.left, s.top, s.width, s.height}) real(v);
        }
    }

    void screen(const HeadlessScreen& s) {
        text(s.title);
        for (const ButtonView* b : {&s.pause, &s.gameover})
            for (int v : {int(b->shown), b->place.x, b->place.y, b->place.width, b->place.height}) number(v);
        number(s.interval());
        number(std::int64_t(s.focus));
        number(s.width());
        number(s.height());
        bytes(s.picture().pixels(), std::size_t(s.width()) * std::size_t(s.height()) * 4);
    }

private:
    void bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ p[i]) * 0x100000001b3u;
    }

    std::uint64_t hash_ = 0xcbf29ce484222325u;
};

constexpr unsigned seeds = 8;
constexpr long events = 50'000;
constexpr long eventsPerSnapshot = 1'000;
constexpr long eventsPerPicture = 10'000;

}  // namespace

int main() {
    for (unsigned seed = 1; seed <= seeds; ++seed) {
        // Played through the headless front end at a fractional scale, so the
        // shell layer's geometry and painting are compared too.
        HeadlessScreen screen(session::seeded(seed), 1.5);
        const zorvane& z = screen.game();
        session::RandomPlayer player(seed);
        StateHash hash;
        // Snapshots along the way as well as at the end, so that a difference
        // a later board would wipe out still shows.
        for (long step = 1; step <= events; ++step) {
            const auto [event, pick] = player.next(z);
            session::deliver(screen, event, pick);
            if (step % eventsPerSnapshot == 0) hash.game(z);
            if (step % eventsPerPicture == 0) hash.screen(screen);
        }
        // The last board's picture at the scales players use most: every
        // front end copies this picture to the screen as it is, so equal
        // hashes mean the same pixels everywhere.
        for (const double ratio : {1.0, 2.0}) {
            screen.screen.setRatio(ratio);
            hash.screen(screen);
        }
        std::printf("seed %u: %ld events, %ld boards, best %.0f, hash %016" PRIx64 "\n", seed, events, z.loadCount(),
                    z.best, hash.value());
    }
    return 0;
}
