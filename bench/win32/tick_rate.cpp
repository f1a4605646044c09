// Ticks a second and CPU at "Insane" (1 ms) on the largest board, the real
// window on screen and the pilot steering, for two alarms in the same run:
// the game's waitable timer, and the plain SetTimer a Windows program usually
// reaches for, both woken when the screen's tick schedule asks. Then the
// loop's wake-ups while paused.
// Usage: win32_tick_rate [seconds per clock, default 5]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <type_traits>

#include "pilot.h"
#include "window/description.h"
#include "window/menus.h"
#include "win32/game_window.h"
#include "midend/system_alarm.h"
#include "win32/message_loop.h"

namespace zv {

// The window's parts the benchmark drives.
class GameWindowBenchPeer {
public:
    static HWND hwnd(const GameWindow& window) { return window.hwnd_; }
    static HWND gameoverButton(const GameWindow& window) { return window.parts_.gameover; }
    static Screen& screen(GameWindow& window) { return window.screen_; }
};

}  // namespace zv

namespace {

using Peer = zv::GameWindowBenchPeer;

// The usual Windows game clock: a thread timer whose WM_TIMER the loop turns
// into a wake-up, in whole milliseconds.
class SetTimerAlarm final : public zv::Alarm {
public:
    ~SetTimerAlarm() override { wakeAt(std::nullopt); }
    Time now() const override { return std::chrono::steady_clock::now().time_since_epoch(); }
    void wakeAt(std::optional<Time> due) override {
        if (id_) KillTimer(nullptr, id_);
        id_ = 0;
        if (!due) return;
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*due - now()).count();
        id_ = SetTimer(nullptr, 0, UINT(std::max<long long>(wait, 1)), nullptr);
    }
    UINT_PTR id() const { return id_; }

private:
    UINT_PTR id_ = 0;
};

double steadySeconds() { return double(std::chrono::steady_clock::now().time_since_epoch().count()) * 1e-9; }

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
    double newGameMs;  // each new game's set-up, the clock stopped
};

// Plays for `seconds` at 1 ms on the largest board, then pauses and counts the loop's wake-ups.
template <typename Clock>
Figures play(double seconds) {
    auto owned = std::make_unique<Clock>();
    Clock& clock = *owned;
    zv::GameWindow window(std::make_unique<zv::TimeSeededRandom>(), std::move(owned));
    window.show(SW_SHOWNORMAL);
    const HWND hwnd = Peer::hwnd(window);
    zv::Screen& screen = Peer::screen(window);
    auto key = [hwnd](zv::Integer code) { SendMessageW(hwnd, WM_KEYDOWN, WPARAM(code), 1); };
    // The pilot's arrows reach the screen at the time of the wake-up it
    // steers after, as if pressed at once: a key that came later would first
    // run the tick due by then, unsteered, and the pilot would crash.
    zv::Alarm::Time woke = clock.now();
    auto steerKey = [&](zv::Integer code) { screen.key(woke, zv::KeyDown{code, 0}, zv::Focus::Board); };
    const auto& largest = zv::description::sizeItems.back();
    // Menu choices as the bar sends them: the item's place and its menu.
    auto choose = [hwnd](std::string_view title, std::size_t item) {
        std::size_t place = 0;
        while (zv::menuTitles[place].title != title) ++place;
        SendMessageW(hwnd, WM_MENUCOMMAND, item, LPARAM(GetSubMenu(GetMenu(hwnd), int(place))));
    };
    choose(zv::description::sizeTitle, zv::description::sizeItems.size() - 1);
    SendMessageW(Peer::gameoverButton(window), BM_CLICK, 0, 0);
    choose(zv::description::speedTitle, 0);
    if (screen.game().boardsize != largest.index + 2) std::fprintf(stderr, "not on the largest board\n");
    bench::Pilot pilot(screen.game(), steerKey);

    long ticks = 0;
    long newGames = 0;
    double newGameSeconds = 0;  // building new boards, with the clock stopped
    long wakeUps = 0;
    bool paused = false;
    // The window's own wake-up, with the pilot at the keys after it: ticks
    // made up in one wake-up run unsteered, as they would for a player.
    clock.onWake = [&](zv::Alarm::Time now) {
        woke = now;
        const int ran = screen.wake(now, clock.early());
        ticks += ran;
        if (paused || ran == 0) return;
        if (screen.interval() == 0 || !pilot.steer()) {
            const double begun = steadySeconds();
            SendMessageW(Peer::gameoverButton(window), BM_CLICK, 0, 0);  // boxed in or crashed: a new game
            newGameSeconds += steadySeconds() - begun;
            ++newGames;
            woke = clock.now();
            pilot.steer();
        }
    };
    woke = clock.now();
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
        if constexpr (std::is_same_v<Clock, zv::SystemAlarm>) timer = HANDLE(clock.handle());
        const DWORD woke = MsgWaitForMultipleObjectsEx(timer ? 1 : 0, &timer, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        ++wakeUps;
        if constexpr (std::is_same_v<Clock, zv::SystemAlarm>)
            if (woke == WAIT_OBJECT_0) clock.woken();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if constexpr (std::is_same_v<Clock, SetTimerAlarm>)
                if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == clock.id()) {
                    clock.onWake(clock.now());
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
    dropped = screen.droppedTicks();
    return {double(playedTicks) / played,
            double(playedTicks) / (played - playedNewGameSeconds),
            100 * cpu / played,
            wakeUps - 20,
            dropped,
            playedNewGames,
            playedNewGames ? 1000 * playedNewGameSeconds / double(playedNewGames) : 0};
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5;
    const Figures waitable = play<zv::SystemAlarm>(seconds);
    const Figures plain = play<SetTimerAlarm>(seconds);
    std::printf("clock                 ticks/s  of play  CPU %%  wake-ups in 2 s paused\n");
    auto line = [](const char* name, const Figures& f) {
        std::printf("%-18s %10.1f %8.1f %6.1f %6ld   (%ld new games, %.1f ms each, %lld ticks dropped)\n", name,
                    f.ticksPerSecond, f.ticksPerSecondOfPlay, f.cpuPercent, f.wakeUpsPaused, f.newGames, f.newGameMs,
                    f.dropped);
    };
    line("waitable, high res", waitable);
    line("SetTimer", plain);
    return 0;
}
