#pragma once
// Writing text into RTF source so that it reads back as exactly that text.
#include <string>
#include <string_view>

namespace tw {

// Backslash and braces are escaped, bytes outside printable ASCII become \'hh (the ANSI byte),
// a line break (CR LF, CR or LF) becomes \line and a tab \tab.
void AppendRtfEscaped(std::string& out, std::string_view text);

// Decodes the source of a stretch of RTF text that holds only plain bytes, \'hh, \\, \{, \}.
std::string DecodeRtfTextRun(std::string_view source);
// Source offset just after `count` characters of such a stretch, starting at `from`.
std::size_t SkipRtfTextChars(std::string_view source, std::size_t from, std::size_t count);

} // namespace tw
