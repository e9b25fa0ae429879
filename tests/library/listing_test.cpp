// A load's folder listings handed on to following the disk: one walk of the library, and the
// same listing a walk of its own would take.
#include "fakes/memory_library.h"
#include "library/library_follow.h"
#include "library/startup_index.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw {
namespace {

using fakes::MemoryFileSystem;
using fakes::MemoryLibrary;

std::string P(const std::string& relative) {
    std::string p = std::string(1, kPathSep) + relative;
    std::replace(p.begin(), p.end(), '/', kPathSep);
    return p;
}

struct CountingDisk : MemoryFileSystem {
    std::map<std::string, int> listed;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override {
        ++listed[Trim(dir)];
        return MemoryFileSystem::ListFolder(dir);
    }
};

TEST(LoadListings, OneWalkGivesWhatAWalkOfItsOwnGives) {
    const std::string root = P("lib/");
    for (const std::string& index : {std::string(), StartupIndexPath(P("data"), root)}) {
        SCOPED_TRACE(index.empty() ? "without startup index" : "with startup index");
        CountingDisk disk;
        disk.Put(P("lib/index.sub"), "FOLDER_1?Folder\r\nREPLY_1?One\r\nFOLDER_5?Gone\r\n");
        disk.Put(P("lib/1.rep"), "one\r\n0A\r\n");
        disk.Put(P("lib/1/index.sub"), "FOLDER_2?Inner\r\nREPLY_1?Deep\r\n");
        disk.Put(P("lib/1/1.rep"), "deep\r\n\r\n");
        disk.Put(P("lib/1/2/index.sub"), "");
        // Folders that no index names still count when someone changes them.
        disk.Put(P("lib/9/8/7.rep"), "stray\r\n\r\n");
        MemoryLibrary loaded(disk, root, index);
        const LibraryListing handed = LibraryListing::Take(disk, root, loaded.list.TakeListings());
        for (const auto& [dir, times] : disk.listed) {
            EXPECT_EQ(times, 1) << dir;
        }
        EXPECT_EQ(disk.listed.size(), 5u) << "the root, 1, 1/2, 9 and 9/8";
        const LibraryListing own = LibraryListing::Take(disk, root);
        EXPECT_TRUE(handed.ChangedFolders(own).empty());
        EXPECT_TRUE(own.ChangedFolders(handed).empty());
        EXPECT_TRUE(loaded.list.TakeListings().empty()) << "given once";
    }
}

} // namespace
} // namespace tw
