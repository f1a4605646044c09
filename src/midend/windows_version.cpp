#include "midend/windows_version.h"

#include <cstdint>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace zv {

bool isRecentWindows(unsigned major, unsigned minor, unsigned build) {
    const auto ordered = [](std::uint64_t a, std::uint64_t b, std::uint64_t c) { return a << 48 | b << 32 | c; };
    return ordered(major, minor, build) >= ordered(10, 0, 17134);
}

#ifdef _WIN32
// Asked of ntdll, which tells the true version: the documented calls answer
// Windows 8 to a program whose manifest does not name Windows 10.
bool windowsIsRecentEnough() {
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    const auto rtlGetVersion = reinterpret_cast<GetVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!rtlGetVersion || rtlGetVersion(&version) != 0) return false;
    return isRecentWindows(version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber);
}
#else
bool windowsIsRecentEnough() { return false; }
#endif

}  // namespace zv
