#pragma once
// The program's cursor table: 101 the reply-drop cursor from resource 10005, 102 and 103 copies
// of the standard no-drop and drag cursors, kept so that a replaced system cursor can be put back.
#include <windows.h>

namespace tw::win32 {

inline constexpr int kReplyDropCursor = 101;
inline constexpr int kSavedNoDropCursor = 102;
inline constexpr int kSavedDragCursor = 103;

void RegisterProgramCursors(HINSTANCE instance);
// Null for a number that is not in the table.
HCURSOR ProgramCursor(int number);

} // namespace tw::win32
