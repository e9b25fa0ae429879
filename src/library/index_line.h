#pragma once
// Lines of an "index.sub" file: KIND_ID?NAME, for example FOLDER_3?Customers.
#include <string>

namespace tw {

inline constexpr const char* kFolderKind = "FOLDER_";
inline constexpr const char* kReplyKind = "REPLY_";
inline constexpr const char* kIndexFileName = "index.sub";
inline constexpr const char* kReplyExtension = ".rep";

struct IndexLine {
    std::string kind; // up to and including the first "_"; empty when there is none
    std::string id;   // between that "_" and the first "?" after it; empty when there is none
    std::string name; // after the first "?"
};

IndexLine SplitIndexLine(const std::string& line);
std::string MakeIndexLine(const std::string& kind, const std::string& id, const std::string& name);

// An id names a file or directory inside its folder, so it must be a plain positive number:
// 1 to 9 decimal digits, not all zero. Anything else (empty, "..", a path, a sign) is refused.
bool IsValidId(const std::string& id);
// A reply's file name: a valid id followed by ".rep".
bool IsValidReplyFileName(const std::string& fileName);

// The name without its extension: when the last of ':', '.' and '\' is a '.', the text before it.
std::string NameWithoutExtension(const std::string& fileName);

} // namespace tw
