#pragma once
// Window activation, creation, destruction and the other shell notifications of the desktop.
#include "hooks/sys_hook.h"

#include <set>

namespace tw {

class TKvShellHook;

using TKvShellNotifyEvent = std::function<void(TKvSysHook& Sender)>;
using TKvShellNotifyWindowEvent = std::function<void(TKvSysHook& Sender, HookWindow sourceWindow)>;
using TKvShellTitleRedrawEvent =
    std::function<void(TKvSysHook& Sender, HookWindow sourceWindow, bool isFlashing)>;
using TKvShellHookAccesibilityEvent =
    std::function<void(TKvSysHook& Sender, std::uint32_t changedFeature)>;

class TKvShellHook : public TKvSysHook {
public:
    using TKvSysHook::TKvSysHook;
    ~TKvShellHook() override = default;

    TKvHookKind HookKind() const override { return TKvHookKind::Shell; }
    void ProcessHookMessage(HookMessage& message) override;

    // When false, events about the program's own windows are dropped.
    bool NotifyOwnEvents = true;

    TKvShellHookAccesibilityEvent OnAccessibilityStateChanged;
    TKvShellNotifyEvent OnActivateShellWindow;
    TKvShellNotifyWindowEvent OnLanguageChange;
    TKvShellNotifyEvent OnTaskManager;
    TKvShellNotifyWindowEvent OnWindowActivated;
    TKvShellNotifyWindowEvent OnWindowCreated;
    TKvShellNotifyWindowEvent OnWindowDestroyed;
    TKvShellTitleRedrawEvent OnWindowTitleRedraw;

protected:
    const char* ClassName() const override { return "TKvShellHook"; }
    virtual void DoAccessibilityStateChanged(std::uint32_t changedFeature);
    virtual void DoActivateShellWindow();
    virtual void DoLanguageChange(HookWindow sourceWindow);
    virtual void DoWindowTitleRedraw(HookWindow sourceWindow, bool isFlashing);
    virtual void DoTaskManager();
    virtual void DoWindowActivated(HookWindow sourceWindow);
    virtual void DoWindowCreated(HookWindow sourceWindow);
    virtual void DoWindowDestroyed(HookWindow sourceWindow);

private:
    bool IsFilteredOwnWindow(HookWindow window, bool destroyed);

    // Own windows seen while they existed: once destroyed, a window can no longer be asked
    // which program it belongs to.
    std::set<HookWindow> ownWindowsSeen_;
};

} // namespace tw
