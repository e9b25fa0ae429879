#pragma once
// What the keyboard of the window in front types. Recognition asks this port for the characters
// of each key instead of assuming a US keyboard; the Win32 adapter asks the system, tests use
// tables of real layouts.
#include "delivery/delivery_state.h"

#include <cstdint>
#include <string>

namespace tw {

// An opaque keyboard layout handle.
using KeyboardLayout = std::uintptr_t;

// A key press with the modifier state that went with it, as the hook's own events say.
struct KeyStroke {
    std::uint8_t virtualKey = 0;
    std::uint8_t scanCode = 0;
    bool extended = false;
    bool shift = false;
    bool capsLock = false;
    bool altGr = false;
};

struct KeyTranslation {
    enum class Kind { None, Characters, DeadKey };
    Kind kind = Kind::None;
    // The characters typed; for a dead key its spacing accent.
    std::u16string text;
};

class KeyboardLayoutPort {
public:
    virtual ~KeyboardLayoutPort() = default;
    virtual WindowHandle ForegroundWindow() = 0;
    virtual KeyboardLayout LayoutOfWindow(WindowHandle window) = 0;
    // Whether right Alt is AltGr on this layout (it types characters of its own).
    virtual bool HasAltGr(KeyboardLayout layout) = 0;
    // Whether a key other than right Alt is AltGr, as some systems report it.
    virtual bool IsAltGrKey(std::uint8_t virtualKey, std::uint8_t scanCode, bool extended) = 0;
    // What the key types on the layout. Must leave the system's keyboard state, above all a dead
    // key it holds for the application in front, exactly as it was.
    virtual KeyTranslation Translate(KeyboardLayout layout, const KeyStroke& stroke) = 0;
    // What the layout types for a dead key followed by a character: one composed character, or
    // the accent and the character when they do not compose.
    virtual std::u16string Compose(KeyboardLayout layout, char16_t deadKey, char16_t next) = 0;
    // Caps Lock's toggle at this moment; read once when watching starts, then followed by events.
    virtual bool CapsLockOn() = 0;
    // Whether an input method of the window is open, so that keys go to its composition.
    virtual bool InputMethodOpen(WindowHandle window) = 0;
};

// The combining mark a layout's spacing accent stands for, or 0 for a character that is none.
char16_t CombiningMarkOf(char16_t spacingAccent);

// The fixed US keyboard of the macro key tables: Shift only, no Caps Lock, no dead keys, no
// AltGr, one window. Used where no layout port is given.
class FixedUsLayout : public KeyboardLayoutPort {
public:
    WindowHandle ForegroundWindow() override { return 0; }
    KeyboardLayout LayoutOfWindow(WindowHandle) override { return 0; }
    bool HasAltGr(KeyboardLayout) override { return false; }
    bool IsAltGrKey(std::uint8_t, std::uint8_t, bool) override { return false; }
    KeyTranslation Translate(KeyboardLayout layout, const KeyStroke& stroke) override;
    std::u16string Compose(KeyboardLayout, char16_t deadKey, char16_t next) override {
        return {deadKey, next};
    }
    bool CapsLockOn() override { return false; }
    bool InputMethodOpen(WindowHandle) override { return false; }
};

} // namespace tw
