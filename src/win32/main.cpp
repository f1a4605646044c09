#include <windows.h>
#include <commctrl.h>

#include "win32/startup.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // Themed buttons: the manifest asks for Common Controls 6.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    return zv::playGame(show);
}
