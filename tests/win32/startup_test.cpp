// The game's start on a Windows that lacks what it needs, each missing part
// stood in: the player is told what is needed, and no window opens.
#include "win32_support.h"
#include "window/win32/startup.h"
#include "window/win32/waitable_clock.h"
#include "window/win32/windows_support.h"

namespace wt {
namespace {

std::wstring told;
int timersMade = 0;

bool recent() { return true; }
bool tooOld() { return false; }
HANDLE noTimer() {
    ++timersMade;
    return nullptr;
}
HANDLE realTimer() {
    ++timersMade;
    return zv::makeHighResolutionTimer();
}
void record(const wchar_t* why) { told = why; }

int windowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(), [](HWND, LPARAM counter) { return ++*reinterpret_cast<int*>(counter), TRUE; },
        LPARAM(&count));
    return count;
}

TEST(Startup, SaysWhatWindowsIsNeededAndOpensNoWindowWhereAPartIsMissing) {
    struct Case {
        const char* missing;
        zv::StartupNeeds needs;
        int timersAsked;
    };
    // Before 1607 the version alone refuses; on 1607 to 1709 the timer is missing.
    for (const Case& c : {Case{"the version", {tooOld, realTimer, record}, 0},
                          Case{"the high-resolution timer", {recent, noTimer, record}, 1}}) {
        SCOPED_TRACE(c.missing);
        told.clear();
        timersMade = 0;
        EXPECT_EQ(zv::playGame(SW_SHOWNORMAL, c.needs), 1);
        EXPECT_EQ(told, zv::windowsNeeded);
        EXPECT_EQ(timersMade, c.timersAsked);
        EXPECT_EQ(windowsOfThisThread(), 0);
    }
}

// Wine says it is Windows 10 of a later build than 1803, and has the calls.
TEST(Startup, FindsWhatItNeedsOnARecentWindows) {
    EXPECT_TRUE(zv::windowsIsRecentEnough());
    const HANDLE timer = zv::makeHighResolutionTimer();
    EXPECT_NE(timer, nullptr);
    CloseHandle(timer);
}

}  // namespace
}  // namespace wt
