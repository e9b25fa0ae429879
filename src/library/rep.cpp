#include "library/rep.h"

#include "library/rep_list.h"
#include "platform/file_system.h"

namespace tw {

namespace {

const std::string kEmpty;

} // namespace

const std::string& TRep::Caption() const {
    return Node ? Node->Caption() : kEmpty;
}

std::string TRep::FolderPath() const {
    std::string path = FolderId;
    for (TreeNode* p = Node ? Node->Parent() : nullptr; p; p = p->Parent()) {
        path = (p->Data() ? p->Data()->FolderId : std::string()) + kPathSep + path;
    }
    return (owner_ ? owner_->LibraryRoot() : std::string()) + path;
}

std::string TRep::ParentFolderPath() const {
    TreeNode* parent = Node ? Node->Parent() : nullptr;
    if (!parent) {
        return owner_ ? owner_->LibraryRoot() : std::string();
    }
    return parent->Data() ? parent->Data()->FolderPath() : std::string();
}

std::string TRep::FullPath() const {
    if (IsFolder()) {
        return FolderPath();
    }
    return WithSeparator(ParentFolderPath()) + FileName;
}

bool TRep::RenameOnDisk(const std::string& newPath) {
    if (!owner_ || !owner_->Files().RenamePath(FullPath(), newPath)) {
        return false;
    }
    const std::size_t cut = newPath.find_last_of(kPathSep);
    const std::string last = cut == std::string::npos ? newPath : newPath.substr(cut + 1);
    if (IsFolder()) {
        FolderId = last;
    } else {
        FileName = last;
    }
    return true;
}

} // namespace tw
