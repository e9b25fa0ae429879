#include "delivery/recognition.h"

#include "delivery/macro_keys.h"
#include "library/hot_key.h"
#include "library/rep_list.h"

namespace tw {
namespace {

// The hook reports the sided codes of the modifiers; both kinds mean the same key here.
bool IsCtrlOrAlt(std::uint32_t key) {
    return key == vkey::Ctrl || key == vkey::Alt || key == vkey::LeftCtrl ||
           key == vkey::RightCtrl || key == vkey::LeftAlt || key == vkey::RightAlt;
}

bool IsShift(std::uint32_t key) {
    return key == vkey::Shift || key == vkey::LeftShift || key == vkey::RightShift;
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

} // namespace

KeyOutcome RecognizeKeyAction(DeliveryState& state, std::uint32_t virtualKeyCode,
                              bool keyIsBeingPressed, KeyStatePort&) {
    if (IsShift(virtualKeyCode)) {
        FollowShift(state, virtualKeyCode, keyIsBeingPressed);
    }
    if (!state.WatchingInput || !state.DeliveryEnabled) {
        return KeyOutcome::Nothing;
    }
    if (!keyIsBeingPressed) {
        if (IsCtrlOrAlt(virtualKeyCode)) {
            state.TypedWord.clear();
        }
        return KeyOutcome::Nothing;
    }
    if (virtualKeyCode == vkey::Space) {
        return KeyOutcome::DeliverTypedMacro;
    }
    if (IsShift(virtualKeyCode)) {
        return KeyOutcome::Nothing;
    }
    const int i = MacroKeyIndex(virtualKeyCode);
    if (i >= 0) {
        const std::string_view chars =
            state.ShiftKeysDown != 0 ? MacroCharsShifted : MacroCharsPlain;
        state.TypedWord += chars[static_cast<std::size_t>(i)];
    } else if (virtualKeyCode >= 1 && virtualKeyCode <= 255) {
        state.TypedWord.clear();
    }
    return KeyOutcome::Nothing;
}

int ScanHotKeys(const TRepList& library, KeyStatePort& keyState) {
    const bool shift = keyState.IsKeyDown(vkey::Shift);
    const bool alt = keyState.IsKeyDown(vkey::Alt);
    const bool ctrl = keyState.IsKeyDown(vkey::Ctrl);
    if (!ctrl || !alt) {
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
