#pragma once
// Every keystroke on the desktop.
#include "hooks/sys_hook.h"

namespace tw {

using TKvKeyboardNotifyEvent =
    std::function<void(TKvSysHook& Sender, std::uint32_t VirtualKeyCode, std::uint16_t RepeatCount,
                       std::uint8_t ScanCode, bool isExtendedKey, bool altIsDown,
                       bool keyWasDownBefore, bool keyIsBeingPressed, bool& filterEvent)>;

class TKvKeyboardHook : public TKvSysHook {
public:
    using TKvSysHook::TKvSysHook;
    ~TKvKeyboardHook() override = default;

    TKvHookKind HookKind() const override { return TKvHookKind::Keyboard; }
    void ProcessHookMessage(HookMessage& message) override;
    // Throws HookStateError while active.
    void SetAllowFiltering(bool value);

    TKvKeyboardNotifyEvent OnKeyAction;

protected:
    const char* ClassName() const override { return "TKvKeyboardHook"; }
    virtual void DoKeyAction(std::uint32_t VirtualKeyCode, std::uint16_t RepeatCount,
                             std::uint8_t ScanCode, bool isExtendedKey, bool altIsDown,
                             bool keyWasDownBefore, bool keyIsBeingPressed, bool& filterEvent);
};

} // namespace tw
