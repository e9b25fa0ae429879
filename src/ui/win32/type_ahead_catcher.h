#pragma once
// Holds the keys typed right after the picker's hot key, before its window has the keyboard: a
// keyboard hook of its own, allowed to filter, on a thread of its own that does nothing else, so
// it answers each key at once whatever the main window is doing.
#include "ui/type_ahead.h"
#include "ui/win32/search_picker_window.h"

#include <mutex>
#include <thread>
#include <vector>

#include <windows.h>

namespace tw::win32 {

class TypeAheadCatcher {
public:
    TypeAheadCatcher();
    ~TypeAheadCatcher();
    TypeAheadCatcher(const TypeAheadCatcher&) = delete;
    TypeAheadCatcher& operator=(const TypeAheadCatcher&) = delete;

    // The hot key registered now; 0: none, nothing is held.
    void Arm(int hotKey);
    // The picker is open in `window`: the keys held so far, oldest first. From here on every
    // key is held for it, and `window` gets the message below when more are waiting.
    std::vector<KeyAction> Claim(HWND window);
    // The keys held since the last call.
    std::vector<KeyAction> Take();
    // The picker closed: keys go to their windows again.
    void End();
    static constexpr UINT kKeysHeldMessage = SearchPickerWindow::kKeysHeldMessage;

private:
    void Run();

    std::mutex mutex_;
    TypeAhead typeAhead_;
    HWND claimedBy_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

} // namespace tw::win32
