#pragma once
// Opens the menu bar from the keyboard as every Windows program does: F10, or Alt pressed and
// released alone. The window's controls would otherwise take these keys for themselves.
#include <windows.h>

namespace tw::win32 {

class MenuKeys {
public:
    // Sees every queued message before it is dispatched. True when the message opened the menu
    // bar of `window` and must go no further.
    bool Intercept(const MSG& msg, HWND window);

private:
    bool altAlone_ = false;
    bool f10Down_ = false;
};

} // namespace tw::win32
