#pragma once
// Delivery's ports over the real system: synthesized keys, the asynchronous key state, other
// applications' windows and the thread's sleep.
#include "delivery/delivery_ports.h"
#include "delivery/win32/delivery_trace.h"

#include <windows.h>

#include <functional>

namespace tw::win32 {

// The system call that injects input; tests hand in one that refuses part of a batch.
using SendInputFunction = UINT(WINAPI*)(UINT, LPINPUT, int);

class Win32KeyInput : public KeyInputPort {
public:
    explicit Win32KeyInput(DeliveryTrace& trace, SendInputFunction send = &::SendInput)
        : trace_(trace), send_(send) {}
    // One SendInput call for the whole batch: virtual-key codes, scan code 0, no extra
    // information.
    std::size_t SendKeys(const std::vector<KeyEvent>& events) override;

private:
    DeliveryTrace& trace_;
    SendInputFunction send_;
};

class Win32KeyState : public KeyStatePort {
public:
    // `keyListener` names the window the keyboard hook's messages are posted to; without one
    // no message counts as queued.
    explicit Win32KeyState(std::function<HWND()> keyListener = {})
        : keyListener_(std::move(keyListener)) {}
    bool IsKeyDown(std::uint8_t virtualKey) override {
        return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
    }
    bool KeyMessagesQueued() override;

private:
    std::function<HWND()> keyListener_;
};

class Win32TargetWindows : public WindowPort {
public:
    // Raised the way the insertions dialog raises itself: attached to the foreground thread.
    void BringToForeground(WindowHandle window) override;
    bool WindowExists(WindowHandle window) override;
    TargetWindow Describe(WindowHandle window) override;
};

class Win32Sleep : public SleepPort {
public:
    void Sleep(int milliseconds) override {
        ::Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
    }
};

} // namespace tw::win32
