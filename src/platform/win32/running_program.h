#pragma once
// Where the running program's file is, as the system reports it.
#include <string>

namespace tw::win32 {

// The full path of the program file, of any length.
std::wstring RunningProgramPath();

} // namespace tw::win32
