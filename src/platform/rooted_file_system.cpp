#include "platform/rooted_file_system.h"

#include "platform/path_rules.h"

namespace tw {

bool RootedFileSystem::Inside(const std::string& path) const {
    return IsInsideRoot(root_, path);
}

ReadStatus RootedFileSystem::ReadFileBytes(const std::string& path, std::string& out,
                                           std::uintmax_t maxBytes) {
    return inner_->ReadFileBytes(path, out, maxBytes);
}

WriteResult RootedFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    if (!Inside(path)) {
        return {false, "File \"" + path + "\" is not inside the library and is not written."};
    }
    return inner_->WriteFileAtomic(path, bytes);
}

bool RootedFileSystem::FileExists(const std::string& path) {
    return inner_->FileExists(path);
}

bool RootedFileSystem::DirExists(const std::string& path) {
    return inner_->DirExists(path);
}

bool RootedFileSystem::CreateDirectories(const std::string& path) {
    return Inside(path) && inner_->CreateDirectories(path);
}

bool RootedFileSystem::RenamePath(const std::string& from, const std::string& to) {
    return Inside(from) && Inside(to) && inner_->RenamePath(from, to);
}

bool RootedFileSystem::RemoveFileForce(const std::string& path) {
    return Inside(path) && inner_->RemoveFileForce(path);
}

bool RootedFileSystem::DeleteTreeNoFollow(const std::string& path) {
    return Inside(path) && inner_->DeleteTreeNoFollow(path);
}

std::optional<DirIdentity> RootedFileSystem::GetDirIdentity(const std::string& path) {
    return inner_->GetDirIdentity(path);
}

std::optional<std::vector<FolderEntry>> RootedFileSystem::ListFolder(const std::string& dir) {
    return inner_->ListFolder(dir);
}

std::optional<FolderEntry> RootedFileSystem::StatFile(const std::string& path) {
    return inner_->StatFile(path);
}

} // namespace tw
