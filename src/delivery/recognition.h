#pragma once
// Recognising the two triggers, with no side effect beyond the delivery state: a macro typed as
// a word and followed by Space, and a hot key (Ctrl+Alt, optionally Shift, plus one key).
#include "delivery/delivery_ports.h"
#include "delivery/delivery_state.h"
#include "delivery/keyboard_layout.h"

#include <cstdint>

namespace tw {

class TRepList;

enum class KeyOutcome { Nothing, DeliverTypedMacro };

// One keyboard event of the hook, in the order the hook saw them.
struct KeyAction {
    std::uint32_t virtualKey = 0;
    bool pressed = true;
    std::uint8_t scanCode = 0;
    bool extended = false;
    // An auto-repeated press.
    bool wasDown = false;
};

// One keyboard event from another window. The character is what the layout of the window in
// front types for the key with the modifiers of the hook's own events. Space asks for the
// delivery of TypedWord, which the caller then empties.
KeyOutcome RecognizeKeyAction(DeliveryState& state, const KeyAction& key,
                              KeyboardLayoutPort& keyboard);

// ScanHotKeys: the first position of the hot-key index, in index order, whose key is down with
// Ctrl, Alt and exactly its Shift state; -1 when none is. AltGr is not Ctrl+Alt: a right Alt
// counts only with a right Ctrl or a left Ctrl that the events showed to be a real one.
int ScanHotKeys(const TRepList& library, KeyStatePort& keyState, const DeliveryState& state);

// Whether the key of the hot key at this position is still held.
bool HotKeyStillDown(const TRepList& library, int position, KeyStatePort& keyState);

} // namespace tw
