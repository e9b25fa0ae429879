#include "ui/win32/type_ahead_catcher.h"

#include "hooks/keyboard_hook.h"
#include "hooks/win32/process_hooks.h"

#include <future>

namespace tw::win32 {

TypeAheadCatcher::TypeAheadCatcher() {
    std::promise<DWORD> started;
    std::future<DWORD> id = started.get_future();
    thread_ = std::thread([this, &started] {
        // A message queue before the thread is known: WM_QUIT must find it.
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        started.set_value(GetCurrentThreadId());
        Run();
    });
    threadId_ = id.get();
}

TypeAheadCatcher::~TypeAheadCatcher() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void TypeAheadCatcher::Run() {
    TKvKeyboardHook hook(ProcessHookLoader(), ProcessHookHost(), "TypeAheadHook");
    hook.SetHookDLL(kHookLibraryName);
    hook.SetAllowFiltering(true);
    hook.OnKeyAction = [this](TKvSysHook&, std::uint32_t key, std::uint16_t, std::uint8_t scan,
                              bool extended, bool, bool wasDown, bool pressed, bool& filter) {
        const std::lock_guard<std::mutex> lock(mutex_);
        filter = typeAhead_.KeyEvent({key, pressed, scan, extended, wasDown}, GetTickCount());
        if (filter && claimedBy_) {
            PostMessageW(claimedBy_, kKeysHeldMessage, 0, 0);
        }
    };
    std::string error; // without it nothing is held, and typing goes on as ever
    hook.Start(error);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    hook.Stop();
}

void TypeAheadCatcher::Arm(int hotKey) {
    const std::lock_guard<std::mutex> lock(mutex_);
    typeAhead_.Arm(hotKey);
}

std::vector<KeyAction> TypeAheadCatcher::Claim(HWND window) {
    const std::lock_guard<std::mutex> lock(mutex_);
    claimedBy_ = typeAhead_.Holding() ? window : nullptr;
    return typeAhead_.Take();
}

std::vector<KeyAction> TypeAheadCatcher::Take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return typeAhead_.Take();
}

void TypeAheadCatcher::End() {
    const std::lock_guard<std::mutex> lock(mutex_);
    claimedBy_ = nullptr;
    typeAhead_.End();
}

} // namespace tw::win32
