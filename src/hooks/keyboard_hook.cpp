#include "hooks/keyboard_hook.h"

namespace tw {

void TKvKeyboardHook::SetAllowFiltering(bool value) {
    if (Active())
        throw HookStateError("Cannot set AllowFiltering propert while hook is active!");
    FAllowFiltering = value;
}

void TKvKeyboardHook::ProcessHookMessage(HookMessage& message) {
    std::uint32_t code = 0;
    if (!BeginHookMessage(message, code) || code != 0)
        return;
    const auto flags = static_cast<std::uint32_t>(message.LParam);
    const auto repeatCount = static_cast<std::uint16_t>(flags & 0xFFFF);
    const auto scanCode = static_cast<std::uint8_t>((flags >> 16) & 0xFF);
    const bool isExtendedKey = (flags & (1u << 24)) != 0;
    const bool altIsDown = (flags & (1u << 29)) != 0;
    const bool keyWasDownBefore = (flags & (1u << 30)) != 0;
    const bool keyIsBeingPressed = (flags & (1u << 31)) == 0;
    bool filterEvent = false;
    DoKeyAction(static_cast<std::uint32_t>(message.WParam), repeatCount, scanCode, isExtendedKey,
                altIsDown, keyWasDownBefore, keyIsBeingPressed, filterEvent);
    if (filterEvent)
        message.Result = 1;
}

void TKvKeyboardHook::DoKeyAction(std::uint32_t VirtualKeyCode, std::uint16_t RepeatCount,
                                  std::uint8_t ScanCode, bool isExtendedKey, bool altIsDown,
                                  bool keyWasDownBefore, bool keyIsBeingPressed,
                                  bool& filterEvent) {
    if (OnKeyAction)
        OnKeyAction(*this, VirtualKeyCode, RepeatCount, ScanCode, isExtendedKey, altIsDown,
                    keyWasDownBefore, keyIsBeingPressed, filterEvent);
}

} // namespace tw
