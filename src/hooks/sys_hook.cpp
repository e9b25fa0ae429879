#include "hooks/sys_hook.h"

#include <utility>

namespace tw {

TKvSysHook::TKvSysHook(HookLoader& loader, HookHost& host, std::string name)
    : loader_(loader), host_(host), FName(std::move(name)) {}

TKvSysHook::~TKvSysHook() {
    Stop();
}

std::string TKvSysHook::DisplayName() const {
    return FName.empty() ? ClassName() : FName;
}

void TKvSysHook::SetHookDLL(const std::string& value) {
    if (FActive) {
        host_.ShowHookError("DLL name cannot be set while hook is active!", DisplayName());
        return;
    }
    FHookDLL = value;
}

void TKvSysHook::Start(std::string& errorText) {
    if (FActive)
        return;
    if (FHookDLL.empty()) {
        errorText = "Cannot activate hook because DLL name is not set.";
        return;
    }
    std::int32_t status = loader_.LoadHookLibrary(FHookDLL);
    if (status != kHookNoError) {
        errorText = loader_.HookErrorText(status);
        return;
    }
    FListenerWindow = host_.CreateListenerWindow(*this);
    if (FListenerWindow == 0) {
        loader_.ReleaseHookLibrary();
        errorText = "Failed to create listening window.";
        return;
    }
    status = loader_.AttachReceiver(HookKind(), FListenerWindow, FAllowFiltering);
    if (status != kHookNoError) {
        host_.DestroyListenerWindow(FListenerWindow);
        FListenerWindow = 0;
        loader_.ReleaseHookLibrary();
        errorText = loader_.HookErrorText(status);
        return;
    }
    errorText.clear();
    FActive = true;
}

void TKvSysHook::Stop() {
    if (!FActive)
        return;
    // The library drops a receiver whose window is gone, so the window goes first and
    // DetachReceiver is never needed.
    if (FListenerWindow != 0)
        host_.DestroyListenerWindow(FListenerWindow);
    FListenerWindow = 0;
    loader_.ReleaseHookLibrary();
    FActive = false;
}

void TKvSysHook::DoUnfiltered(std::uint32_t code, std::uint32_t wParam, std::uint32_t lParam,
                              bool& handled) {
    if (OnUnfiltered)
        OnUnfiltered(*this, code, wParam, lParam, handled);
}

bool TKvSysHook::BeginHookMessage(HookMessage& message, std::uint32_t& code) {
    message.Result = 0;
    code = message.Msg - kHookMessageBase;
    bool handled = false;
    DoUnfiltered(code, static_cast<std::uint32_t>(message.WParam),
                 static_cast<std::uint32_t>(message.LParam), handled);
    return !handled;
}

} // namespace tw
