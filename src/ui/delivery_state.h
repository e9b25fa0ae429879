#pragma once
// The main window's delivery state: what typed-macro and hot-key recognition and the two drag
// paths remember between events.
#include <cstdint>
#include <string>

namespace tw {

// An opaque window handle: the core compares and stores it but never dereferences it.
using WindowHandle = std::uintptr_t;

struct DeliveryState {
    bool WatchingInput = false;
    bool DeliveryEnabled = false;
    bool DraggingReply = false;
    bool DragOutside = false;
    bool CursorNudgeDue = true;
    WindowHandle LastActiveWindow = 0;
    int PendingHotKey = -1;
    std::string TypedWord;

    void Reset() { *this = DeliveryState{}; }
};

} // namespace tw
