#include "win32/windows_support.h"

namespace zv {
namespace {

template <typename Function>
Function user32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

UINT dpiForWindow(HWND window) {
    static const auto call = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    return call(window);
}

BOOL adjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, UINT dpi) {
    static const auto call = user32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    return call(rect, style, menu, 0, dpi);
}

}  // namespace zv
