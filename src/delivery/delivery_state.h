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
    // A position in the hot-key index whose key has to come up before it is delivered; -1: none.
    int PendingHotKey = -1;
    // Another application's top-level window, activated last; 0: none.
    WindowHandle LastActiveWindow = 0;
};

} // namespace tw
