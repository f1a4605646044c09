#pragma once

#include <windows.h>

namespace zv {

// What the player is told on a Windows the game cannot run on (windows_version.h).
inline constexpr wchar_t windowsNeeded[] = L"Zorvane needs Windows 10 version 1803 or later.";

// Windows 10 1607's DPI calls, looked up: imported, an older Windows would not load the program to say why.
UINT dpiForWindow(HWND window);
BOOL adjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, UINT dpi);

}  // namespace zv
