#include "delivery/win32/system_input.h"

#include "delivery/win32/target_window.h"

#include "app/win32/common_routines_win32.h"

namespace tw::win32 {

std::size_t Win32KeyInput::SendKeys(const std::vector<KeyEvent>& events) {
    if (events.empty()) {
        return 0;
    }
    std::vector<INPUT> inputs(events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        INPUT& in = inputs[i];
        in.type = INPUT_KEYBOARD;
        const bool unicode = events[i].unicode != 0;
        in.ki.wVk = unicode ? 0 : events[i].virtualKey;
        in.ki.wScan = unicode ? static_cast<WORD>(events[i].unicode) : 0;
        in.ki.dwFlags = (events[i].keyUp ? KEYEVENTF_KEYUP : 0) | (unicode ? KEYEVENTF_UNICODE : 0);
        in.ki.time = 0;
        in.ki.dwExtraInfo = 0;
    }
    const UINT inserted =
        send_(static_cast<UINT>(inputs.size()), inputs.data(), static_cast<int>(sizeof(INPUT)));
    trace_.InputSent(inserted, inputs.size());
    return inserted;
}

bool Win32KeyState::KeyMessagesQueued() {
    HWND listener = keyListener_ ? keyListener_() : nullptr;
    MSG message;
    // Posted messages only: a message sent to one of our windows must not run in the middle
    // of a key's handling.
    return listener && PeekMessageW(&message, listener, WM_USER, WM_USER,
                                    PM_NOREMOVE | PM_QS_POSTMESSAGE) != FALSE;
}

void Win32TargetWindows::BringToForeground(WindowHandle window) {
    SetForegroundWindowAttached(GetForegroundWindow(), reinterpret_cast<HWND>(window));
}

bool Win32TargetWindows::WindowExists(WindowHandle window) {
    return window != 0 && IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

TargetWindow Win32TargetWindows::Describe(WindowHandle window) {
    return DescribeWindow(reinterpret_cast<HWND>(window));
}

} // namespace tw::win32
