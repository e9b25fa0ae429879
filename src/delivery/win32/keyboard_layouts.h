#pragma once
// The layout port over the system: the window in front, its thread's keyboard layout, and what
// a key types there, asked without touching the keyboard state the user's application relies on.
#include "delivery/keyboard_layout.h"

#include <windows.h>

#include <map>

namespace tw::win32 {

class Win32KeyboardLayouts : public KeyboardLayoutPort {
public:
    WindowHandle ForegroundWindow() override;
    KeyboardLayout LayoutOfWindow(WindowHandle window) override;
    bool HasAltGr(KeyboardLayout layout) override;
    bool IsAltGrKey(std::uint8_t virtualKey, std::uint8_t scanCode, bool extended) override;
    KeyTranslation Translate(KeyboardLayout layout, const KeyStroke& stroke) override;
    std::u16string Compose(KeyboardLayout layout, char16_t deadKey, char16_t next) override;
    bool CapsLockOn() override;
    bool InputMethodOpen(WindowHandle window) override;

private:
    std::map<KeyboardLayout, bool> altGr_;
    std::map<std::uint32_t, bool> altGrKeys_;
};

} // namespace tw::win32
