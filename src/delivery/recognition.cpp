#include "delivery/recognition.h"

#include "delivery/macro_keys.h"
#include "library/hot_key.h"
#include "library/rep_list.h"

#include <optional>
#include <utility>

namespace tw {
namespace {

constexpr std::uint8_t kCapsLock = 0x14;
// The key an input method reports while it takes keys for its composition.
constexpr std::uint8_t kProcessKey = 0xE5;
// The keypad types digits and signs on every layout, but never into a word.
constexpr std::uint8_t kFirstKeypadKey = 0x60, kLastKeypadKey = 0x6F;

bool IsShift(std::uint32_t key) {
    return key == vkey::Shift || key == vkey::LeftShift || key == vkey::RightShift;
}

// Every Ctrl and Alt but the left Ctrl and the right Alt, which may be AltGr.
bool IsPlainCtrlOrAlt(std::uint32_t key) {
    return key == vkey::Ctrl || key == vkey::Alt || key == vkey::RightCtrl || key == vkey::LeftAlt;
}

void FollowShift(DeliveryState& state, std::uint32_t key, bool pressed) {
    const std::uint8_t bit = key == vkey::LeftShift ? 2 : key == vkey::RightShift ? 4 : 1;
    if (pressed) {
        state.ShiftKeysDown |= bit;
    } else if (bit == 1) {
        state.ShiftKeysDown = 0;
    } else {
        state.ShiftKeysDown &= static_cast<std::uint8_t>(~bit);
    }
}

// The virtual-key code of a hot key's character: upper-case letters and digits are their own.
std::uint8_t HotKeyCode(const TRepList& library, int position) {
    char key = DecodeHotKey(library.HotKeyAt(position)).key;
    if (key >= 'a' && key <= 'z') {
        key = static_cast<char>(key - 'a' + 'A');
    }
    return static_cast<std::uint8_t>(key);
}

class KeyHandling {
public:
    KeyHandling(DeliveryState& state, const KeyAction& key, KeyboardLayoutPort& keyboard)
        : s_(state), key_(key), keyboard_(keyboard),
          watching_(state.WatchingInput && state.DeliveryEnabled) {}

    KeyOutcome Run() {
        const std::uint32_t vk = key_.virtualKey;
        // On a layout with AltGr the system adds a left Ctrl right before the right Alt; a left
        // Ctrl followed by anything else is a real one.
        const bool ctrlJustPressed = std::exchange(s_.LeftCtrlJustPressed, false);
        const bool altGrPress = key_.pressed && vk == vkey::RightAlt && HasAltGr();
        if (ctrlJustPressed && !altGrPress) {
            s_.LeftCtrlReal = true;
        }
        if (FollowedModifier(vk, ctrlJustPressed, altGrPress)) {
            return KeyOutcome::Nothing;
        }
        if (vk == kCapsLock && !key_.wasDown) {
            s_.CapsLockOn = !s_.CapsLockOn;
        }
        if (!watching_ || vk == 0 || vk > 255) {
            return KeyOutcome::Nothing;
        }
        if (IsPlainCtrlOrAlt(vk) || vk == vkey::LeftCtrl || vk == vkey::RightAlt ||
            vk == kCapsLock || (vk >= kFirstKeypadKey && vk <= kLastKeypadKey)) {
            Empty();
        } else if (vk == kProcessKey || keyboard_.InputMethodOpen(Foreground())) {
            Empty(); // the input method's composition is not a typed word, nor is its Space
        } else if (vk == vkey::Space && s_.PendingDeadKey == 0) {
            return KeyOutcome::DeliverTypedMacro;
        } else {
            Typed();
        }
        return KeyOutcome::Nothing;
    }

private:
    // Shift, AltGr and every release; true when nothing else is to be done with the event.
    bool FollowedModifier(std::uint32_t vk, bool ctrlJustPressed, bool altGrPress) {
        if (IsShift(vk)) {
            FollowShift(s_, vk, key_.pressed);
            return true;
        }
        if (vk >= 1 && vk <= 255 && !IsPlainCtrlOrAlt(vk) && vk != vkey::LeftCtrl &&
            vk != vkey::RightAlt && vk != vkey::Space &&
            keyboard_.IsAltGrKey(static_cast<std::uint8_t>(vk), key_.scanCode, key_.extended)) {
            s_.AltGrDown = key_.pressed;
            return true;
        }
        if (!key_.pressed) {
            Released(vk);
            return true;
        }
        if (watching_ && Foreground() != s_.WordWindow) {
            Empty();
            s_.WordWindow = Foreground();
        }
        if (vk == vkey::LeftCtrl) {
            s_.LeftCtrlJustPressed = true;
            s_.WordBeforeLeftCtrl = watching_ ? s_.TypedWord : std::string();
        } else if (vk == vkey::RightAlt && altGrPress) {
            s_.AltGrDown = true;
            s_.LeftCtrlOfAltGr = s_.LeftCtrlOfAltGr || ctrlJustPressed;
            if (ctrlJustPressed && watching_) {
                s_.TypedWord = std::move(s_.WordBeforeLeftCtrl);
            }
            return true;
        }
        return false;
    }

    void Empty() {
        s_.TypedWord.clear();
        s_.PendingDeadKey = 0;
    }

    WindowHandle Foreground() {
        if (!foreground_) {
            foreground_ = keyboard_.ForegroundWindow();
        }
        return *foreground_;
    }

    KeyboardLayout Layout() { return keyboard_.LayoutOfWindow(Foreground()); }

    bool HasAltGr() { return keyboard_.HasAltGr(Layout()); }

    // A Ctrl or Alt coming up empties the word, unless it is AltGr's.
    void Released(std::uint32_t vk) {
        bool empties = IsPlainCtrlOrAlt(vk);
        if (vk == vkey::LeftCtrl) {
            empties = s_.LeftCtrlReal || !s_.LeftCtrlOfAltGr;
            s_.LeftCtrlReal = s_.LeftCtrlOfAltGr = false;
        } else if (vk == vkey::RightAlt) {
            empties = !s_.AltGrDown;
            s_.AltGrDown = false;
        }
        if (empties && watching_) {
            Empty();
        }
    }

    void Typed() {
        const KeyboardLayout layout = Layout();
        const KeyStroke stroke{static_cast<std::uint8_t>(key_.virtualKey),
                               key_.scanCode,
                               key_.extended,
                               s_.ShiftKeysDown != 0,
                               s_.CapsLockOn,
                               s_.AltGrDown};
        const KeyTranslation typed = keyboard_.Translate(layout, stroke);
        std::u16string text = typed.text;
        if (typed.kind == KeyTranslation::Kind::None || text.empty()) {
            Empty();
            return;
        }
        const char16_t dead = std::exchange(s_.PendingDeadKey, 0);
        if (dead != 0) {
            text = keyboard_.Compose(layout, dead, text[0]) + text.substr(1);
        } else if (typed.kind == KeyTranslation::Kind::DeadKey) {
            s_.PendingDeadKey = text[0]; // neither empties nor extends the word yet
            return;
        }
        for (char16_t c : text) {
            if (c < 0x80 && IsMacroChar(static_cast<char>(c))) {
                s_.TypedWord += static_cast<char>(c);
            } else {
                Empty();
            }
        }
    }

    DeliveryState& s_;
    const KeyAction& key_;
    KeyboardLayoutPort& keyboard_;
    const bool watching_;
    std::optional<WindowHandle> foreground_;
};

} // namespace

KeyOutcome RecognizeKeyAction(DeliveryState& state, const KeyAction& key,
                              KeyboardLayoutPort& keyboard) {
    return KeyHandling(state, key, keyboard).Run();
}

int ScanHotKeys(const TRepList& library, KeyStatePort& keyState, const DeliveryState& state) {
    const bool shift = keyState.IsKeyDown(vkey::Shift);
    const bool leftCtrl = keyState.IsKeyDown(vkey::LeftCtrl);
    const bool rightCtrl = keyState.IsKeyDown(vkey::RightCtrl);
    const bool withLeftAlt = keyState.IsKeyDown(vkey::LeftAlt) && (leftCtrl || rightCtrl);
    const bool withRightAlt =
        keyState.IsKeyDown(vkey::RightAlt) && (rightCtrl || (leftCtrl && state.LeftCtrlReal));
    if (!withLeftAlt && !withRightAlt) {
        return -1;
    }
    for (int i = 0; i < library.HotKeyCount(); ++i) {
        const std::uint8_t key = HotKeyCode(library, i);
        if (key != 0 && DecodeHotKey(library.HotKeyAt(i)).shift == shift &&
            keyState.IsKeyDown(key)) {
            return i;
        }
    }
    return -1;
}

bool HotKeyStillDown(const TRepList& library, int position, KeyStatePort& keyState) {
    if (position < 0 || position >= library.HotKeyCount()) {
        return false;
    }
    const std::uint8_t key = HotKeyCode(library, position);
    return key != 0 && keyState.IsKeyDown(key);
}

} // namespace tw
