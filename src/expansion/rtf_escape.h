#pragma once
// Writing text into RTF source so that it reads back as exactly that text.
#include <string>
#include <string_view>

namespace tw {

// Backslash and braces are escaped, a line break (CR LF, CR or LF) becomes \line and a tab \tab.
// Other characters outside printable ASCII become \'hh where the document's code page holds
// them, else \uN (UTF-16, so two for a character beyond the BMP) followed by one "?" for each
// fallback character `unicodeSkip` (the \ucN in force) tells a reader to skip.
void AppendRtfEscaped(std::string& out, std::u32string_view text, int codePage, int unicodeSkip);

// Decodes the source of a stretch of RTF text that holds only plain bytes, \'hh, \\, \{, \}.
std::string DecodeRtfTextRun(std::string_view source);
// Source offset just after `count` characters of such a stretch, starting at `from`.
std::size_t SkipRtfTextChars(std::string_view source, std::size_t from, std::size_t count);

} // namespace tw
