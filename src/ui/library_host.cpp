#include "ui/library_host.h"

#include "library/startup_index.h"

#include <algorithm>
#include <utility>

namespace tw {

void LibraryHost::Create(const std::string& libraryRoot, const std::string& dataFolder,
                         MessageBoxes& boxes) {
    replies_ = std::make_unique<TRepList>(tree_, hotKeys_, macros_, &boxes);
    replies_->SetLibraryRoot(libraryRoot);
    tracker_.SetRoot(replies_->LibraryRoot());
    replies_->SetFileSystem(tracker_);
    if (!dataFolder.empty()) {
        replies_->SetStartupIndexFile(StartupIndexPath(dataFolder, replies_->LibraryRoot()));
    }
}

void LibraryHost::Load() {
    if (replies_) {
        LoadReplyLibrary(*replies_);
        // Compared first when something changes, not while the window is still to come.
        loadListings_ = replies_->TakeListings();
        listing_.reset();
        tracker_.Forget();
    }
}

bool LibraryHost::ChangedElsewhere() {
    if (!replies_) {
        return false;
    }
    if (!listing_) {
        listing_ = LibraryListing::Take(replies_->Files(), replies_->LibraryRoot(),
                                        std::exchange(loadListings_, {}));
    }
    LibraryListing now = LibraryListing::Take(replies_->Files(), replies_->LibraryRoot());
    const std::set<std::string> changed = listing_->ChangedPaths(now);
    const bool elsewhere =
        std::any_of(changed.begin(), changed.end(),
                    [this](const std::string& f) { return !tracker_.Touched(f); });
    listing_ = std::move(now);
    tracker_.Forget();
    return elsewhere;
}

void LibraryHost::Free() {
    if (!replies_) {
        return;
    }
    replies_->ClearAll();
    replies_.reset();
}

} // namespace tw
