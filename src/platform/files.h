#pragma once
// The file system as the library needs it. Paths are byte strings in the ANSI code page, built
// by the core with kPathSep; the Windows implementation converts them to UTF-16 at this boundary.
// Nothing here throws: each call reports success, and the calls that can fail in a way the user
// must hear about return a message text.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

// path with kPathSep appended unless it already ends in one.
inline std::string WithSeparator(std::string path) {
    if (path.empty() || path.back() != kPathSep) {
        path += kPathSep;
    }
    return path;
}

enum class ReadStatus { Ok, CannotOpen, TooLarge };

// Reads the whole file into out. A file larger than maxBytes is not read (TooLarge).
ReadStatus ReadFileBytes(const std::string& path, std::string& out, std::uintmax_t maxBytes);

struct WriteResult {
    bool ok = true;
    std::string error; // a sentence naming the path, when !ok
};

// Writes a temporary file beside path, flushes it to disk and renames it over path, so that
// path holds either its old content or the new one, never a part.
WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes);

bool FileExists(const std::string& path); // a regular file (links followed)
bool DirExists(const std::string& path);  // a directory (links followed)
// Creates the directory and any missing parents; true when it exists afterwards.
bool CreateDirectories(const std::string& path);
// Renames a file or directory; fails when `to` exists.
bool RenamePath(const std::string& from, const std::string& to);
// Clears the read-only attribute, then deletes the file (or the link itself).
bool RemoveFileForce(const std::string& path);
// A symbolic link, or on Windows any reparse point (junction, mount point).
bool IsLinkOrJunction(const std::string& path);
// Deletes a directory and everything in it. A link or junction inside, or path itself being
// one, is removed as a link: what it points to is never touched. Entries that cannot be removed
// stay, and so do the directories holding them. True when path is gone.
bool DeleteTreeNoFollow(const std::string& path);

// Names the directory itself, whatever path reaches it, so that a walk can tell when it comes
// back to a directory through a link.
struct DirIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const DirIdentity&) const = default;
    bool operator<(const DirIdentity& o) const {
        return volume != o.volume ? volume < o.volume : index < o.index;
    }
};
std::optional<DirIdentity> GetDirIdentity(const std::string& path);

// One entry of a folder listing. writeTime counts in the system's own unit from its own epoch:
// it is only ever compared with another writeTime of the same system.
struct FolderEntry {
    std::string name;
    bool isDir = false;
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
    // A link or another reparse point: what it leads to may be reached by another path too.
    bool isLink = false;
};
// The entries of one folder with their sizes and last-write times, in one walk of the folder
// (no file is opened); nothing when the folder cannot be listed. Names that do not convert
// exactly are left out.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir);
// One file's entry as its folder's listing would give it, without listing the folder; nothing
// when there is no such file.
std::optional<FolderEntry> StatFile(const std::string& path);

} // namespace tw
