#pragma once
// Loading system libraries without the search reaching the program's or the current folder,
// where a planted file of the same name would run inside the program.
#include <windows.h>

namespace tw::win32 {

// Restricts the process's default DLL search to the system folder: later loads by bare name,
// and the dependencies of libraries loaded by full path, no longer look in the program's folder,
// the current folder or PATH. Called first thing at start. False when the system refused.
bool RestrictDllSearchToSystem();

// A system library by bare name, from the system folder only; null when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

} // namespace tw::win32
