#include "platform/win32/foreground_window.h"

namespace tw::win32 {

void SetForegroundWindowAttached(HWND foreground, HWND window) {
    const DWORD from = GetWindowThreadProcessId(foreground, nullptr);
    const DWORD to = GetWindowThreadProcessId(window, nullptr);
    const bool attach = from != 0 && to != 0 && from != to;
    if (attach) {
        AttachThreadInput(from, to, TRUE);
    }
    SetForegroundWindow(window);
    if (attach) {
        AttachThreadInput(from, to, FALSE);
    }
}

} // namespace tw::win32
