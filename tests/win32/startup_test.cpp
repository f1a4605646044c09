// The game's start on a Windows that lacks what it needs, each missing part
// stood in: the player is told what is needed, and no window opens.
#include "win32_support.h"
#include "win32/startup.h"
#include "win32/windows_support.h"

namespace wt {
namespace {

std::wstring told;
int timersMade = 0;

bool recent() { return true; }
bool tooOld() { return false; }
zv::SystemTimer::Handle noTimer() { return ++timersMade, zv::SystemTimer::none; }
zv::SystemTimer::Handle realTimer() { return ++timersMade, zv::SystemTimer::make(); }
void record(const wchar_t* why) { told = why; }
BOOL CALLBACK count(HWND, LPARAM windows) { return ++*reinterpret_cast<int*>(windows), TRUE; }

// Before 1607 the version alone refuses; on 1607 to 1709 the timer is missing.
TEST(Startup, SaysWhatWindowsIsNeededAndOpensNoWindowWhereAPartIsMissing) {
    for (const auto& [needs, timersAsked] : {std::pair{zv::StartupNeeds{tooOld, realTimer, record}, 0},
                                             std::pair{zv::StartupNeeds{recent, noTimer, record}, 1}}) {
        told.clear();
        timersMade = 0;
        EXPECT_EQ(zv::playGame(SW_SHOWNORMAL, needs), 1);
        EXPECT_EQ(told, zv::windowsNeeded);
        EXPECT_EQ(timersMade, timersAsked);
        int windows = 0;
        EnumThreadWindows(GetCurrentThreadId(), count, LPARAM(&windows));
        EXPECT_EQ(windows, 0);
    }
}

}  // namespace
}  // namespace wt
