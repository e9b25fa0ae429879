#include "library/listing_prefetch.h"

namespace tw {

ListingPrefetch::ListingPrefetch(FileSystem& files, std::vector<std::string> dirs)
    : files_(files), dirs_(std::move(dirs)), thread_([this] { Run(); }) {}

ListingPrefetch::~ListingPrefetch() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    thread_.join();
}

void ListingPrefetch::Run() {
    for (const std::string& dir : dirs_) {
        {
            std::lock_guard lock(mutex_);
            if (stop_) {
                return;
            }
            if (claimed_.contains(dir) || ahead_.contains(dir)) {
                continue;
            }
            busy_ = dir;
        }
        std::optional<std::vector<FolderEntry>> listing = files_.ListFolder(dir);
        {
            std::lock_guard lock(mutex_);
            ahead_.emplace(dir, std::move(listing));
            busy_.clear();
        }
        listed_.notify_all();
    }
}

std::optional<std::vector<FolderEntry>> ListingPrefetch::Take(const std::string& dir) {
    {
        std::unique_lock lock(mutex_);
        listed_.wait(lock, [&] { return busy_ != dir; });
        claimed_.insert(dir);
        if (auto node = ahead_.extract(dir)) {
            return std::move(node.mapped());
        }
    }
    return files_.ListFolder(dir);
}

} // namespace tw
