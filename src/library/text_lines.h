#pragma once
// Library files as lists of lines: read whole, written whole, atomically.
#include "library/library_result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class FileSystem;

// A library file larger than this is refused like one that cannot be opened.
inline constexpr std::uintmax_t kMaxLibraryFileBytes = 64u * 1024u * 1024u;

// A line ends at CR, LF or CR LF; a last line without an end is still a line. Splitting stops
// after `maxLines` lines.
std::vector<std::string> SplitLines(std::string_view text, std::size_t maxLines = SIZE_MAX);
// Every line, the last one included, ended by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// FNV-1a: a fingerprint of bytes that tells a changed or cut file from its original.
std::uint64_t HashBytes(std::string_view bytes);

// False when the file cannot be read (missing, not a file, too large). `scratch` holds the raw
// bytes on the way; a caller reading many files passes the same one each time.
bool ReadLines(FileSystem& files, const std::string& path, std::vector<std::string>& lines,
               std::string& scratch, std::size_t maxLines = SIZE_MAX);
// The whole file, or the message that it cannot be opened. `raw`, when given, gets the file's
// bytes as read.
LibraryResult<std::vector<std::string>> ReadAllLines(FileSystem& files, const std::string& path,
                                                     std::string* raw = nullptr);
LibraryResult<> WriteAllLines(FileSystem& files, const std::string& path,
                              const std::vector<std::string>& lines);

} // namespace tw
