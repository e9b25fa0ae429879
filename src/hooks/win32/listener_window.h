#pragma once
// The components' hidden listener windows: message-only windows of the calling thread that hand
// every library message to their component.
#include "hooks/hook_host.h"

#include <windows.h>

namespace tw {

class Win32HookHost : public HookHost {
public:
    ListenerHandle CreateListenerWindow(TKvSysHook& owner) override;
    void DestroyListenerWindow(ListenerHandle window) override;
    // Any window of this process counts as the program's own.
    bool IsOwnApplicationWindow(HookWindow window) override;
    void ShowHookError(const std::string& text, const std::string& caption) override;
};

// Window handles carry 32 significant bits; widening sign-extends as the system does.
inline HWND HookWindowToHwnd(HookWindow window) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(window)));
}
inline HookWindow HwndToHookWindow(HWND window) {
    return static_cast<HookWindow>(reinterpret_cast<std::uintptr_t>(window));
}

} // namespace tw
