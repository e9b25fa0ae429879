#pragma once
// Every pointer move and button event on the desktop.
#include "hooks/sys_hook.h"

namespace tw {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TKvMouseButtonMovement { mbmDown, mbmUp, mbmDouble };

// x and y are screen coordinates as unsigned 16-bit values: -1 arrives as 65535.
using TKvMouseClickNotifyEvent =
    std::function<void(TKvSysHook& Sender, HookWindow sourceWindow, std::int32_t x, std::int32_t y,
                       TMouseButton button, TKvMouseButtonMovement movement)>;
using TKvMouseMoveNotifyEvent = std::function<void(TKvSysHook& Sender, HookWindow sourceWindow,
                                                   std::int32_t x, std::int32_t y)>;

class TKvMouseHook : public TKvSysHook {
public:
    using TKvSysHook::TKvSysHook;
    ~TKvMouseHook() override = default;

    TKvHookKind HookKind() const override { return TKvHookKind::Mouse; }
    void ProcessHookMessage(HookMessage& message) override;

    TKvMouseClickNotifyEvent OnMouseClick;
    TKvMouseMoveNotifyEvent OnMouseMove;

protected:
    const char* ClassName() const override { return "TKvMouseHook"; }
    virtual void DoMouseClick(HookWindow sourceWindow, std::int32_t x, std::int32_t y,
                              TMouseButton button, TKvMouseButtonMovement movement);
    virtual void DoMouseMove(HookWindow sourceWindow, std::int32_t x, std::int32_t y);
};

} // namespace tw
