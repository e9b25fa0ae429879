// The target application's text, read and cleared from outside its process.
#pragma once

#include <windows.h>

#include <string>

namespace tw::bench {

// Wine Notepad's edit control, or null while Notepad has no window.
HWND FindNotepadEdit();

// One WM_GETTEXT of at most `limit` characters; false when the window does not answer.
bool ReadTargetText(HWND edit, std::size_t limit, std::wstring& text);

bool ClearTargetText(HWND edit);

} // namespace tw::bench
