#pragma once
// The file system as an object, so that the library can be handed another one: an in-memory
// file system for tests and fuzzing, or one that stops part-way to show what a crash leaves.
// Each method has the meaning of the free function of the same name in files.h.
#include "platform/files.h"

namespace tw {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual ReadStatus ReadFileBytes(const std::string& path, std::string& out,
                                     std::uintmax_t maxBytes) = 0;
    virtual WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool DirExists(const std::string& path) = 0;
    virtual bool CreateDirectories(const std::string& path) = 0;
    virtual bool RenamePath(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFileForce(const std::string& path) = 0;
    virtual bool DeleteTreeNoFollow(const std::string& path) = 0;
    virtual std::optional<DirIdentity> GetDirIdentity(const std::string& path) = 0;
    virtual std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) = 0;
    virtual std::optional<FolderEntry> StatFile(const std::string& path) = 0;
    // True when ListFolder may run on another thread while this one reads.
    virtual bool ListsFromAnyThread() const { return false; }
};

// The computer's own file system, through the functions of files.h.
FileSystem& SystemFileSystem();

} // namespace tw
