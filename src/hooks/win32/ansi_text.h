#pragma once
// Conversions between the core's ANSI-code-page strings and the W functions' UTF-16.
#include <string>

namespace tw {

std::wstring HookTextToWide(const std::string& text);
std::string HookTextFromWide(const std::wstring& text);

} // namespace tw
