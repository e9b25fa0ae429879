#pragma once
// ANSI code page <-> UTF-16 at the Win32 boundary, and UTF-16 -> UTF-8 for text that must keep
// every character.
#include <string>

namespace tw::win32 {

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);
std::string WideToUtf8(const std::wstring& text);

} // namespace tw::win32
