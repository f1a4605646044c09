#include "win32/windows_support.h"

namespace zv {
namespace {

template <typename Function>
Function systemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(dll), name)));
}

}  // namespace

// Asked of ntdll, which tells the true version: the documented calls answer
// Windows 8 to a program whose manifest does not name Windows 10.
bool windowsIsRecentEnough() {
    const auto rtlGetVersion = systemFunction<LONG(WINAPI*)(OSVERSIONINFOW*)>(L"ntdll.dll", "RtlGetVersion");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!rtlGetVersion || rtlGetVersion(&version) != 0) return false;
    const auto ordered = [](ULONGLONG major, ULONGLONG minor, ULONGLONG build) { return major << 48 | minor << 32 | build; };
    return ordered(version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber) >= ordered(10, 0, 17134);
}

UINT dpiForWindow(HWND window) {
    static const auto call = systemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
    return call(window);
}

BOOL adjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, UINT dpi) {
    static const auto call = systemFunction<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>(
        L"user32.dll", "AdjustWindowRectExForDpi");
    return call(rect, style, menu, 0, dpi);
}

}  // namespace zv
