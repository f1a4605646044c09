// Ticks a second and CPU at "Insane" (1 ms) on the largest board, the real
// window on screen and the pilot steering, for two clocks in the same run:
// the game's waitable timer on the tick schedule, and the plain SetTimer a
// Windows program usually reaches for. Then the loop's wake-ups while paused.
// Usage: win32_tick_rate [seconds per clock, default 5]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <type_traits>

#include "pilot.h"
#include "window/description.h"
#include "window/win32/game_window.h"
#include "window/win32/message_loop.h"
#include "window/win32/waitable_clock.h"

namespace {

// The usual Windows game clock: a thread timer whose WM_TIMER the loop turns into ticks.
class SetTimerClock final : public zv::TickClock {
public:
    ~SetTimerClock() override { setInterval(0); }
    void setInterval(int milliseconds) override {
        if (milliseconds == interval_) return;
        interval_ = milliseconds;
        if (id_) KillTimer(nullptr, id_);
        id_ = milliseconds > 0 ? SetTimer(nullptr, 0, UINT(milliseconds), nullptr) : 0;
    }
    int interval() const override { return interval_; }
    UINT_PTR id() const { return id_; }

private:
    int interval_ = 0;
    UINT_PTR id_ = 0;
};

double cpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](FILETIME t) { return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7; };
    return seconds(kernel) + seconds(user);
}

struct Figures {
    double ticksPerSecond;
    double ticksPerSecondOfPlay;  // leaving out the new games' set-up
    double cpuPercent;
    long wakeUpsPaused;
    long long dropped;
    long newGames;
    bool highResolution;
};

// Plays for `seconds` at 1 ms on the largest board, then pauses and counts the loop's wake-ups.
template <typename Clock>
Figures play(double seconds) {
    auto owned = std::make_unique<Clock>();
    Clock& clock = *owned;
    zv::GameWindow window(std::make_unique<zv::TimeSeededRandom>(), std::move(owned));
    window.show(SW_SHOWNORMAL);
    const HWND hwnd = window.hwnd();
    auto key = [hwnd](zv::Integer code) { SendMessageW(hwnd, WM_KEYDOWN, WPARAM(code), 1); };
    const auto& largest = zv::description::sizeItems.back();
    SendMessageW(hwnd, WM_COMMAND, window.commandOf(window.sizeMenu(), int(zv::description::sizeItems.size()) - 1), 0);
    SendMessageW(window.gameoverButton(), BM_CLICK, 0, 0);
    SendMessageW(hwnd, WM_COMMAND, window.commandOf(window.speedMenu(), 0), 0);
    if (window.game().boardsize != largest.index + 2) std::fprintf(stderr, "not on the largest board\n");
    bench::Pilot pilot(window.game(), key);

    long ticks = 0;
    long newGames = 0;
    double newGameSeconds = 0;  // building new boards, with the clock stopped
    long wakeUps = 0;
    bool paused = false;
    clock.onTick = [&] {
        window.tick();
        ++ticks;
        if (paused) return;
        if (!pilot.steer() || window.game().Timer1().interval == 0) {
            const double begun = zv::monotonicNow().count() / 1e9;
            SendMessageW(window.gameoverButton(), BM_CLICK, 0, 0);  // boxed in or crashed: a new game
            newGameSeconds += zv::monotonicNow().count() / 1e9 - begun;
            ++newGames;
            pilot.steer();
        }
    };
    pilot.steer();
    const ULONGLONG start = GetTickCount64();
    const double cpuStart = cpuSeconds();
    const ULONGLONG playEnd = start + ULONGLONG(seconds * 1000);
    double played = 0, cpu = 0;
    long playedTicks = 0, playedNewGames = 0;
    double playedNewGameSeconds = 0;
    while (!window.ended()) {
        const ULONGLONG now = GetTickCount64();
        if (!paused && now >= playEnd) {
            played = double(now - start) / 1000;
            cpu = cpuSeconds() - cpuStart;
            playedTicks = ticks;
            playedNewGames = newGames;
            playedNewGameSeconds = newGameSeconds;
            paused = true;
            key('P');
            wakeUps = 0;
        }
        if (paused && now >= playEnd + 2000) break;
        HANDLE timer = nullptr;
        if constexpr (std::is_same_v<Clock, zv::WaitableClock>) timer = clock.handle();
        const DWORD woke = MsgWaitForMultipleObjectsEx(timer ? 1 : 0, &timer, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        ++wakeUps;
        if constexpr (std::is_same_v<Clock, zv::WaitableClock>)
            if (woke == WAIT_OBJECT_0) clock.woken();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if constexpr (std::is_same_v<Clock, SetTimerClock>)
                if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == clock.id()) {
                    if (clock.onTick) clock.onTick();
                    continue;
                }
            if (!window.preTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    // Two seconds paused: the 100 ms wait timeout alone accounts for about 20.
    long long dropped = 0;
    bool highResolution = false;
    if constexpr (std::is_same_v<Clock, zv::WaitableClock>) {
        dropped = clock.droppedTicks();
        highResolution = clock.highResolution();
    }
    return {double(playedTicks) / played,
            double(playedTicks) / (played - playedNewGameSeconds),
            100 * cpu / played,
            wakeUps - 20,
            dropped,
            playedNewGames,
            highResolution};
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5;
    const Figures waitable = play<zv::WaitableClock>(seconds);
    const Figures plain = play<SetTimerClock>(seconds);
    std::printf("clock                 ticks/s  of play  CPU %%  wake-ups in 2 s paused\n");
    auto line = [](const char* name, const Figures& f) {
        std::printf("%-18s %10.1f %8.1f %6.1f %6ld   (%ld new games, %lld ticks dropped)\n", name, f.ticksPerSecond,
                    f.ticksPerSecondOfPlay, f.cpuPercent, f.wakeUpsPaused, f.newGames, f.dropped);
    };
    line(waitable.highResolution ? "waitable, high res" : "waitable, 1 ms", waitable);
    line("SetTimer", plain);
    return 0;
}
