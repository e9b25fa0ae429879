#pragma once
// What typed-macro and hot-key recognition and the delivery commands remember between events.
#include <cstdint>
#include <string>

namespace tw {

// An opaque window handle: the core compares and stores it but never dereferences it.
using WindowHandle = std::uintptr_t;

struct DeliveryState {
    // Set once start-up has completed and never cleared; both triggers are ignored before.
    bool DeliveryEnabled = false;
    // True while the program is not the active application.
    bool WatchingInput = false;
    // The characters typed in other windows since the last reset.
    std::string TypedWord;
    // The Shift keys held as the hook's own events say (bits: either, left, right). The system's
    // state is no use for a character: its message can be handled after Shift has come up.
    std::uint8_t ShiftKeysDown = 0;
    // The rest of the keyboard as the hook's events say: Caps Lock's toggle, AltGr held, whether
    // the left Ctrl that is down is the one the system adds to AltGr, and whether it is a real one.
    bool CapsLockOn = false;
    bool AltGrDown = false;
    bool LeftCtrlOfAltGr = false;
    bool LeftCtrlReal = false;
    // A left Ctrl was pressed by the last event: AltGr if right Alt follows at once. The word it
    // emptied comes back then.
    bool LeftCtrlJustPressed = false;
    std::string WordBeforeLeftCtrl;
    // A dead key typed and waiting for the next character (its spacing accent); 0: none.
    char16_t PendingDeadKey = 0;
    // The window in front when the word began; another window in front empties the word.
    WindowHandle WordWindow = 0;
    // A position in the hot-key index whose key has to come up before it is delivered; -1: none.
    int PendingHotKey = -1;
    // Another application's top-level window, activated last; 0: none.
    WindowHandle LastActiveWindow = 0;
};

} // namespace tw
