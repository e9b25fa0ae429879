#pragma once
// Recognising the two triggers, with no side effect beyond the delivery state: a macro typed as
// a word and followed by Space, and a hot key (Ctrl+Alt, optionally Shift, plus one key).
#include "delivery/delivery_ports.h"
#include "delivery/delivery_state.h"

#include <cstdint>

namespace tw {

class TRepList;

enum class KeyOutcome { Nothing, DeliverTypedMacro };

// One keyboard event from another window. Shift is read from the key state when the event is
// handled. Space asks for the delivery of TypedWord, which the caller then empties.
KeyOutcome RecognizeKeyAction(DeliveryState& state, std::uint32_t virtualKeyCode,
                              bool keyIsBeingPressed, KeyStatePort& keyState);

// ScanHotKeys: the first position of the hot-key index, in index order, whose key is down with
// Ctrl, Alt and exactly its Shift state; -1 when none is.
int ScanHotKeys(const TRepList& library, KeyStatePort& keyState);

// Whether the key of the hot key at this position is still held.
bool HotKeyStillDown(const TRepList& library, int position, KeyStatePort& keyState);

} // namespace tw
