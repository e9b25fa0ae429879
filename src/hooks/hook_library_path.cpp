#include "hooks/hook_library_path.h"

namespace tw {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAbsolute(const std::string& name) {
    if (!name.empty() && IsSeparator(name[0]))
        return true; // "\\server\share\x.dll" or "\x.dll"
    const bool letter = name.size() >= 3 &&
                        ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
    return letter && name[1] == ':' && IsSeparator(name[2]);
}

} // namespace

std::string HookLibraryPath(const std::string& programFolder, const std::string& name) {
    if (IsAbsolute(name))
        return name;
    // "C:x.dll" is relative to a drive's current folder: only its file part is kept.
    std::string relative = name;
    if (relative.size() >= 2 && relative[1] == ':')
        relative = relative.substr(2);
    std::string path = programFolder;
    if (!path.empty() && !IsSeparator(path.back()))
        path += '\\';
    return path + relative;
}

} // namespace tw
