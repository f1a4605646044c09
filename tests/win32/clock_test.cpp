// The alarm on the system's waitable timer in the real message loop.
#include "win32_support.h"
#include "midend/system_alarm.h"
#include "window/description.h"

namespace wt {
namespace {

using namespace std::chrono_literals;
using Time = zv::Alarm::Time;

// Waits in the message loop's way until `done` or a generous deadline.
template <typename Done>
bool waitFor(zv::SystemAlarm& clock, Done done) {
    const HANDLE timer = HANDLE(clock.handle());
    const ULONGLONG deadline = GetTickCount64() + 10'000;
    while (!done() && GetTickCount64() < deadline)
        if (MsgWaitForMultipleObjectsEx(1, &timer, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0)
            clock.woken();
    return done();
}

TEST(WaitableClock, WakesAtTheTimeAskedAndNeverOnceCancelledOrReplaced) {
    zv::SystemAlarm clock;
    std::vector<Time> woke;
    clock.onWake = [&](Time now) { woke.push_back(now); };
    const Time due = clock.now() + 20ms;
    clock.wakeAt(due);
    ASSERT_TRUE(waitFor(clock, [&] { return !woke.empty(); }));
    EXPECT_GE(woke[0], due - clock.early());
    // A time already gone by wakes at once, and only once.
    clock.wakeAt(clock.now() - 5ms);
    EXPECT_TRUE(waitFor(clock, [&] { return woke.size() == 2; }));
    EXPECT_EQ(WaitForSingleObject(HANDLE(clock.handle()), 50), DWORD(WAIT_TIMEOUT));
    // Cancelled, or put off to a later time: the loop sleeps through the first time.
    clock.wakeAt(clock.now() + 10ms);
    clock.wakeAt(std::nullopt);
    EXPECT_EQ(WaitForSingleObject(HANDLE(clock.handle()), 60), DWORD(WAIT_TIMEOUT));
    clock.wakeAt(clock.now() + 10ms);
    clock.wakeAt(clock.now() + 10s);
    EXPECT_EQ(WaitForSingleObject(HANDLE(clock.handle()), 60), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(woke.size(), 2u);
}

// The game in the program's own message loop on the real clock: an arrow
// starts it and the head moves on its own, on with the Size menu open as well
// (Windows' menu loop holds the thread then), until Quit ends the loop.
zv::GameWindow* running = nullptr;
double startRow = 0;
double rowAtOpen = 0;
double rowsWhileOpen = 0;
bool menuOpened = false;
ULONGLONG deadline = 0;

double headRow() { return Peer::screen(*running).game().heady; }

// On a thread timer, which the menu's loop dispatches too.
void CALLBACK watch(HWND, UINT, UINT_PTR id, DWORD) {
    if (!menuOpened) {
        if (headRow() >= startRow) return;
        menuOpened = true;
        rowAtOpen = headRow();
        const HWND hwnd = Peer::hwnd(*running);
        TrackPopupMenu(menuOf(hwnd, zv::description::sizeTitle), 0, 0, 0, 0, hwnd, nullptr);  // until EndMenu
        KillTimer(nullptr, id);
        PostMessageW(hwnd, WM_MENUCOMMAND, titlePlace(zv::description::quitTitle), LPARAM(GetMenu(hwnd)));
    } else if (rowAtOpen - headRow() >= 3 || GetTickCount64() > deadline) {
        rowsWhileOpen = rowAtOpen - headRow();
        EndMenu();
    }
}

TEST(WaitableClock, DrivesTheGameInTheMessageLoopWithAMenuOpen) {
    auto source = std::make_unique<ScriptedRandom>();
    ScriptedRandom& random = *source;
    lineUpBoard(random, 50);
    random.repeat(keepFood, 1000);
    auto owned = std::make_unique<zv::SystemAlarm>();
    zv::SystemAlarm& clock = *owned;
    zv::GameWindow window(std::move(source), std::move(owned));
    window.show(SW_SHOWNORMAL);
    PostMessageW(Peer::hwnd(window), WM_KEYDOWN, VK_UP, 1);
    zv::pumpMessages(window);
    running = &window;
    startRow = headRow();
    deadline = GetTickCount64() + 10'000;
    SetTimer(nullptr, 0, 20, watch);
    EXPECT_EQ(zv::runMessageLoop(window, clock), 0);
    EXPECT_TRUE(window.ended());
    EXPECT_TRUE(menuOpened);
    EXPECT_LT(rowAtOpen, startRow);
    EXPECT_GE(rowsWhileOpen, 3);
}

}  // namespace
}  // namespace wt
