#pragma once
// Text at the Win32 boundary. Paths are UTF-8 in the core and UTF-16 at the system: both ways
// are exact, and a path that is not valid UTF-8 (or a listed name that is not valid UTF-16)
// converts to nothing rather than to another path. Text shown or typed goes through the ANSI
// code page, the library files' encoding.
#include <optional>
#include <string>

namespace tw::win32 {

std::wstring AnsiToWide(const std::string& text);
// Best-fit conversion, for text that is only shown or compared (font names, captions).
std::string WideToAnsi(const std::wstring& text);
// Text that goes into the library's files: nothing when a character has no exact byte.
std::optional<std::string> WideToAnsiExactly(const std::wstring& text);
std::string WideToUtf8(const std::wstring& text);

std::wstring PathToWide(const std::string& utf8Path);
std::optional<std::string> WideToPath(const std::wstring& path);

// Text that may name a path (a message, a registry string): read as UTF-8 when it is valid
// UTF-8 with a character beyond ASCII, otherwise as ANSI text.
std::wstring TextToWide(const std::string& text);

} // namespace tw::win32
