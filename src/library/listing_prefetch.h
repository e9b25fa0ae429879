#pragma once
// Folder listings taken ahead, on a thread of their own, while a load works through the ones it
// has. On a slow file system (a share, an emulated one) listing the folders is most of a warm
// start, and a folder's listing does not depend on what the load makes of the one before.
#include "platform/file_system.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace tw {

class ListingPrefetch {
public:
    // Lists `dirs` in this order through `files`, which must allow it from another thread.
    ListingPrefetch(FileSystem& files, std::vector<std::string> dirs);
    ~ListingPrefetch();
    ListingPrefetch(const ListingPrefetch&) = delete;
    ListingPrefetch& operator=(const ListingPrefetch&) = delete;

    // The listing of `dir`: the one taken ahead, else one taken now. Either way each folder is
    // listed once: one not reached ahead yet is left to the caller from then on.
    std::optional<std::vector<FolderEntry>> Take(const std::string& dir);

private:
    void Run();

    FileSystem& files_;
    const std::vector<std::string> dirs_;
    std::mutex mutex_;
    std::condition_variable listed_;
    std::map<std::string, std::optional<std::vector<FolderEntry>>> ahead_;
    std::set<std::string> claimed_; // asked for before the thread reached them
    std::string busy_;              // the folder the thread lists now
    bool stop_ = false;
    std::thread thread_;
};

} // namespace tw
