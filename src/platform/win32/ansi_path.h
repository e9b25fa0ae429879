#pragma once
// ANSI code page <-> UTF-16 at the Win32 boundary.
#include <string>

namespace tw::win32 {

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

} // namespace tw::win32
