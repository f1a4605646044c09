#include "win32/message_loop.h"

namespace zv {

bool pumpMessages(GameWindow& window) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        if (window.preTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return !window.ended();
}

int runMessageLoop(GameWindow& window, SystemAlarm& clock) {
    const HANDLE timer = HANDLE(clock.handle());
    while (pumpMessages(window)) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &timer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) clock.woken();
    }
    return 0;
}

}  // namespace zv
