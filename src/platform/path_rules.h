#pragma once
// Rules for names and paths that reach the file system. Paths in the core are UTF-8, so that
// every name the system can hold survives the trip from a directory listing to the next call;
// the library's files themselves stay in the ANSI code page.
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// A name from a directory listing that, put after a directory and a separator, names that
// entry and nothing else: not "." or "..", no separator or drive colon, no control character,
// and no trailing dot or space (Windows drops those, and ".. " would become "..").
bool IsPlainEntryName(std::u16string_view name);
bool IsPlainEntryName(std::string_view utf8Name);

// Whether path names something strictly below root (root ends in a separator): it starts
// with root, and every part after it is a plain entry name. A trailing separator is allowed.
bool IsInsideRoot(std::string_view root, std::string_view path);

// A single-byte code page as the system converts it.
class CodePage {
public:
    virtual ~CodePage() = default;
    // Converts without best-fit replacements; usedDefault is set when a character had no byte.
    virtual std::string FromWide(std::u16string_view text, bool& usedDefault) const = 0;
    virtual std::u16string ToWide(std::string_view bytes) const = 0;
};

// The text in the code page when it comes back exactly as it was; nothing when any character
// would be dropped, replaced by the default character or by a look-alike ("．" for ".").
std::optional<std::string> ToCodePageExactly(std::u16string_view text, const CodePage& page);

} // namespace tw
