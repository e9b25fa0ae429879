#include "hooks/shell_hook.h"

namespace tw {

bool TKvShellHook::IsFilteredOwnWindow(HookWindow window, bool destroyed) {
    if (NotifyOwnEvents)
        return false;
    if (Host().IsOwnApplicationWindow(window)) {
        if (!destroyed)
            ownWindowsSeen_.insert(window);
        else
            ownWindowsSeen_.erase(window);
        return true;
    }
    return destroyed && ownWindowsSeen_.erase(window) > 0;
}

void TKvShellHook::ProcessHookMessage(HookMessage& message) {
    std::uint32_t code = 0;
    if (!BeginHookMessage(message, code))
        return;
    const auto window = static_cast<HookWindow>(message.WParam);
    switch (code) {
    case 1:
        if (!IsFilteredOwnWindow(window, false))
            DoWindowCreated(window);
        break;
    case 2:
        if (!IsFilteredOwnWindow(window, true))
            DoWindowDestroyed(window);
        break;
    case 3:
        DoActivateShellWindow();
        break;
    case 4:
        if (!IsFilteredOwnWindow(window, false))
            DoWindowActivated(window);
        break;
    case 6:
        if (!IsFilteredOwnWindow(window, false))
            DoWindowTitleRedraw(window, static_cast<std::uint32_t>(message.LParam) != 0);
        break;
    case 7:
        DoTaskManager();
        break;
    case 8:
        if (!IsFilteredOwnWindow(window, false))
            DoLanguageChange(window);
        break;
    case 11:
        DoAccessibilityStateChanged(static_cast<std::uint32_t>(message.WParam));
        break;
    default:
        break;
    }
}

void TKvShellHook::DoAccessibilityStateChanged(std::uint32_t changedFeature) {
    if (OnAccessibilityStateChanged)
        OnAccessibilityStateChanged(*this, changedFeature);
}

void TKvShellHook::DoActivateShellWindow() {
    if (OnActivateShellWindow)
        OnActivateShellWindow(*this);
}

void TKvShellHook::DoLanguageChange(HookWindow sourceWindow) {
    if (OnLanguageChange)
        OnLanguageChange(*this, sourceWindow);
}

void TKvShellHook::DoWindowTitleRedraw(HookWindow sourceWindow, bool isFlashing) {
    if (OnWindowTitleRedraw)
        OnWindowTitleRedraw(*this, sourceWindow, isFlashing);
}

void TKvShellHook::DoTaskManager() {
    if (OnTaskManager)
        OnTaskManager(*this);
}

void TKvShellHook::DoWindowActivated(HookWindow sourceWindow) {
    if (OnWindowActivated)
        OnWindowActivated(*this, sourceWindow);
}

void TKvShellHook::DoWindowCreated(HookWindow sourceWindow) {
    if (OnWindowCreated)
        OnWindowCreated(*this, sourceWindow);
}

void TKvShellHook::DoWindowDestroyed(HookWindow sourceWindow) {
    if (OnWindowDestroyed)
        OnWindowDestroyed(*this, sourceWindow);
}

} // namespace tw
