#pragma once
// A file system that changes nothing outside one folder: every write, rename and delete is
// checked against the root first (IsInsideRoot), whatever path the caller built. Reads pass.
#include "platform/file_system.h"

#include <string>

namespace tw {

class RootedFileSystem final : public FileSystem {
public:
    explicit RootedFileSystem(FileSystem& inner) : inner_(&inner) {}
    void SetInner(FileSystem& inner) { inner_ = &inner; }
    FileSystem& Inner() const { return *inner_; }
    void SetRoot(std::string root) { root_ = std::move(root); }

    ReadStatus ReadFileBytes(const std::string& path, std::string& out,
                             std::uintmax_t maxBytes) override;
    WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool FileExists(const std::string& path) override;
    bool DirExists(const std::string& path) override;
    bool CreateDirectories(const std::string& path) override;
    bool RenamePath(const std::string& from, const std::string& to) override;
    bool RemoveFileForce(const std::string& path) override;
    bool DeleteTreeNoFollow(const std::string& path) override;
    std::optional<DirIdentity> GetDirIdentity(const std::string& path) override;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override;
    std::optional<FolderEntry> StatFile(const std::string& path) override;
    bool ListsFromAnyThread() const override { return inner_->ListsFromAnyThread(); }

private:
    bool Inside(const std::string& path) const;

    FileSystem* inner_;
    std::string root_;
};

} // namespace tw
