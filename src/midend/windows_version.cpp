#include "midend/windows_version.h"

#include <cstdint>

namespace zv {

bool isRecentWindows(unsigned major, unsigned minor, unsigned build) {
    const auto ordered = [](std::uint64_t a, std::uint64_t b, std::uint64_t c) { return a << 48 | b << 32 | c; };
    return ordered(major, minor, build) >= ordered(10, 0, 17134);
}

SystemTimer::Handle clockTimerFor(const StartupNeeds& needs) {
    const SystemTimer::Handle timer = needs.recentWindows() ? needs.makeTimer() : SystemTimer::none;
    if (timer == SystemTimer::none) needs.refuse(windowsNeeded);
    return timer;
}

#ifdef _WIN32
// Asked of ntdll, which tells the true version: the documented calls answer
// Windows 8 to a program whose manifest does not name Windows 10.
bool windowsIsRecentEnough() {
    const auto rtlGetVersion = windowsFunction<LONG(WINAPI*)(OSVERSIONINFOW*)>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!rtlGetVersion || rtlGetVersion(&version) != 0) return false;
    return isRecentWindows(version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber);
}
#else
bool windowsIsRecentEnough() { return false; }
#endif

}  // namespace zv
