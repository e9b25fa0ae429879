#pragma once
// Shared by the Windows hook tests: message pumping with a bound, windows that record the
// library's messages, and synthesized input.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace tw::test {

// Pumps this thread's messages until done() or the bound passes; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int boundMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

struct RecordedMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::chrono::steady_clock::time_point at;
};

// A message-only window that records every message from WM_USER up.
class RecordingWindow {
public:
    RecordingWindow() {
        static const bool registered = [] {
            WNDCLASSEXW wc = {};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TextwrightHookTestRecorder";
            return RegisterClassExW(&wc) != 0;
        }();
        (void)registered;
        window_ = CreateWindowExW(0, L"TextwrightHookTestRecorder", L"", 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this);
    }
    ~RecordingWindow() {
        if (window_)
            DestroyWindow(window_);
    }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return window_; }
    std::vector<RecordedMessage> messages;
    LRESULT answer = 0;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_NCCREATE)
            SetWindowLongPtrW(
                w, GWLP_USERDATA,
                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
        if (m >= WM_USER && self) {
            self->messages.push_back({m, wp, lp, std::chrono::steady_clock::now()});
            return self->answer;
        }
        return DefWindowProcW(w, m, wp, lp);
    }
    HWND window_ = nullptr;
};

inline UINT SendKey(WORD vk, WORD scan, bool release, bool extended = false) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = (release ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    return SendInput(1, &input, sizeof input);
}

// The library's exports called directly, with every argument a full 32-bit slot.
struct KeybDllExports {
    using Attach = std::int32_t(WINAPI*)(std::uint32_t, HWND, std::uint32_t);
    using Detach = std::int32_t(WINAPI*)(std::uint32_t, HWND);
    using Last = std::int32_t(WINAPI*)();
    HMODULE module = nullptr;
    Attach attach = nullptr;
    Detach detach = nullptr;
    Last lastError = nullptr;

    KeybDllExports() {
        module = LoadLibraryW(L"KeybDll.dll");
        if (!module)
            return;
        attach = reinterpret_cast<Attach>(
            reinterpret_cast<void*>(GetProcAddress(module, "AttachReceiver")));
        detach = reinterpret_cast<Detach>(
            reinterpret_cast<void*>(GetProcAddress(module, "DetachReceiver")));
        lastError =
            reinterpret_cast<Last>(reinterpret_cast<void*>(GetProcAddress(module, "LastError")));
    }
    ~KeybDllExports() {
        if (module)
            FreeLibrary(module);
    }
    KeybDllExports(const KeybDllExports&) = delete;
    KeybDllExports& operator=(const KeybDllExports&) = delete;
    bool Complete() const { return attach && detach && lastError; }
};

} // namespace tw::test
