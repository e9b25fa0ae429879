#pragma once
// A timer of the main window: WM_TIMER with its id reaches the window while it is enabled.
#include "ui/main_form_ports.h"

#include <windows.h>

namespace tw::win32 {

class WindowTimer : public TimerPort {
public:
    // `window` is the owner's handle, null until the window exists.
    WindowTimer(const HWND& window, UINT_PTR id, UINT intervalMs)
        : window_(window), id_(id), interval_(intervalMs) {}
    WindowTimer(HWND&&, UINT_PTR, UINT) = delete; // followed by reference

    void SetTimerEnabled(bool enabled) override {
        if (enabled) {
            SetTimer(window_, id_, interval_, nullptr);
        } else {
            KillTimer(window_, id_);
        }
    }
    bool Fired(WPARAM timerId) const { return timerId == id_; }

private:
    const HWND& window_;
    UINT_PTR id_;
    UINT interval_;
};

// The program as one application: its message loop ends, or one of its windows is in front.
class Win32Application : public ApplicationPort {
public:
    void Terminate() override { PostQuitMessage(0); }
    bool IsApplicationActive() override {
        DWORD process = 0;
        HWND front = GetForegroundWindow();
        return front && GetWindowThreadProcessId(front, &process) &&
               process == GetCurrentProcessId();
    }
};

} // namespace tw::win32
