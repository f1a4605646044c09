// The game's start on a Windows that lacks the precise timer, stood in: the
// player is told what is needed, and no window opens.
#include "win32_support.h"
#include "win32/startup.h"

namespace wt {
namespace {

std::string told;

bool recent() { return true; }
zv::SystemTimer::Handle noTimer() { return zv::SystemTimer::none; }
void record(const char* why) { told = why; }
BOOL CALLBACK count(HWND, LPARAM windows) { return ++*reinterpret_cast<int*>(windows), TRUE; }

TEST(Startup, SaysWhatWindowsIsNeededAndOpensNoWindowWhereTheTimerIsMissing) {
    EXPECT_EQ(zv::playGame(SW_SHOWNORMAL, zv::StartupNeeds{recent, noTimer, record}), 1);
    EXPECT_EQ(told, zv::windowsNeeded);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), count, LPARAM(&windows));
    EXPECT_EQ(windows, 0);
}

}  // namespace
}  // namespace wt
