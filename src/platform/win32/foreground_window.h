#pragma once
// Bringing a window to the front from a thread that is not the foreground one.
#include <windows.h>

namespace tw::win32 {

// Attaches the input of the foreground window's thread to the window's thread, brings the
// window to the front, and detaches again.
void SetForegroundWindowAttached(HWND foreground, HWND window);

} // namespace tw::win32
