#pragma once
// What a hook component needs from the window system besides the library: its hidden listener
// window, the test for the program's own windows, and the error box of SetHookDLL.
#include <cstdint>
#include <string>

namespace tw {

class TKvSysHook;

using ListenerHandle = std::uintptr_t; // 0: none
using HookWindow = std::uint32_t;      // a window handle as the library passes it (32 bits)

class HookHost {
public:
    virtual ~HookHost() = default;
    // A hidden window of this thread whose library messages go to owner.ProcessHookMessage;
    // 0 when it cannot be created.
    virtual ListenerHandle CreateListenerWindow(TKvSysHook& owner) = 0;
    virtual void DestroyListenerWindow(ListenerHandle window) = 0;
    virtual bool IsOwnApplicationWindow(HookWindow window) = 0;
    // A message box without owner, error icon.
    virtual void ShowHookError(const std::string& text, const std::string& caption) = 0;
};

} // namespace tw
