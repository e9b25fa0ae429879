#pragma once
// Hidden message-only windows: the listener of the hooks and the clipboard's renderer.
#include <windows.h>

namespace tw::win32 {

// Registers `className` with `procedure` on first use and creates a message-only window of it,
// passing `param` to WM_NCCREATE/WM_CREATE; null when either step fails.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure, void* param);

} // namespace tw::win32
