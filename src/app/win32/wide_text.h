#pragma once
// The core keeps ANSI-code-page bytes; Win32 calls take UTF-16. Conversion happens here only.
#include <string>

namespace tw::win32 {

std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);

} // namespace tw::win32
