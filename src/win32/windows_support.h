#pragma once

#include <windows.h>

namespace zv {

// What the game needs of Windows, said in the words the player sees when
// it is missing.
inline constexpr wchar_t windowsNeeded[] = L"Zorvane needs Windows 10 version 1803 or later.";

// Whether this Windows is 10 version 1803 (build 17134) or later.
bool windowsIsRecentEnough();

// The per-monitor DPI calls of Windows 10 version 1607 on, looked up when
// first used rather than imported: an older Windows would otherwise refuse
// to load the program before it could say what it needs. Only a window
// calls them, and none opens on a Windows older than 1803.
UINT dpiForWindow(HWND window);
BOOL adjustWindowRectForDpi(RECT* rect, DWORD style, BOOL menu, UINT dpi);

}  // namespace zv
