#include "ui/library_host.h"

#include "library/startup_index.h"

namespace tw {

void LibraryHost::Create(const std::string& libraryRoot, const std::string& dataFolder,
                         MessageBoxes& boxes) {
    replies_ = std::make_unique<TRepList>(tree_, hotKeys_, macros_, &boxes);
    replies_->SetLibraryRoot(libraryRoot);
    if (!dataFolder.empty()) {
        replies_->SetStartupIndexFile(StartupIndexPath(dataFolder, replies_->LibraryRoot()));
    }
}

void LibraryHost::Load() {
    if (replies_) {
        LoadReplyLibrary(*replies_);
    }
}

void LibraryHost::Free() {
    if (!replies_) {
        return;
    }
    replies_->ClearAll();
    replies_.reset();
}

} // namespace tw
