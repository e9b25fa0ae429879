#pragma once
// Small per-control hooks the main window needs beyond WM_COMMAND: focus arriving from another
// control, typed characters that may be swallowed, a left-button release after the control has
// handled it, and Tab moving through the window's own tab order.
#include <windows.h>

#include <functional>
#include <vector>

namespace tw::win32 {

struct ControlHooks {
    // Focus came from another control of the same top-level window.
    std::function<void()> onEnter;
    // A typed character (WM_CHAR); false swallows it.
    std::function<bool(wchar_t)> onChar;
    // After the control has processed the release (a check box has toggled).
    std::function<void()> onLeftButtonUp;
    // Tab or Shift+Tab; true when focus moved.
    std::function<bool(bool backwards)> onTab;
};

// Installs the hooks; they live as long as the control.
void HookControl(HWND control, ControlHooks hooks);

// The order in which Tab moves the focus; hidden and disabled controls are skipped.
class TabOrder {
public:
    void Set(std::vector<HWND> controls) { controls_ = std::move(controls); }
    // Moves from the control holding focus (or its parent in the list); false when it is none
    // of the list.
    bool Move(HWND from, bool backwards) const;

private:
    std::vector<HWND> controls_;
};

} // namespace tw::win32
