#include "platform/file_system.h"

namespace tw {

namespace {

class SystemFiles final : public FileSystem {
public:
    ReadStatus ReadFileBytes(const std::string& path, std::string& out,
                             std::uintmax_t maxBytes) override {
        return tw::ReadFileBytes(path, out, maxBytes);
    }
    WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        return tw::WriteFileAtomic(path, bytes);
    }
    bool FileExists(const std::string& path) override { return tw::FileExists(path); }
    bool DirExists(const std::string& path) override { return tw::DirExists(path); }
    bool CreateDirectories(const std::string& path) override { return tw::CreateDirectories(path); }
    bool RenamePath(const std::string& from, const std::string& to) override {
        return tw::RenamePath(from, to);
    }
    bool RemoveFileForce(const std::string& path) override { return tw::RemoveFileForce(path); }
    bool DeleteTreeNoFollow(const std::string& path) override {
        return tw::DeleteTreeNoFollow(path);
    }
    std::optional<DirIdentity> GetDirIdentity(const std::string& path) override {
        return tw::GetDirIdentity(path);
    }
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override {
        return tw::ListFolder(dir);
    }
    std::optional<FolderEntry> StatFile(const std::string& path) override {
        return tw::StatFile(path);
    }
    bool ListsFromAnyThread() const override { return true; }
};

} // namespace

FileSystem& SystemFileSystem() {
    static SystemFiles files;
    return files;
}

} // namespace tw
