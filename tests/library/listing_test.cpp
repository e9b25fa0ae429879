// What a load takes from its folder listings: which folders need their identity asked for, and
// the listings handed on to following the disk (one walk of the library, the same listing a walk
// of its own would take).
#include "disk_fixture.h"
#include "fakes/memory_library.h"
#include "library/library_follow.h"
#include "library/startup_index.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>

namespace tw {
namespace {

using fakes::DiskPath;
using fakes::MemoryFileSystem;
using fakes::MemoryLibrary;

struct CountingDisk : MemoryFileSystem {
    std::map<std::string, int> listed;
    std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override {
        ++listed[Trim(dir)];
        return MemoryFileSystem::ListFolder(dir);
    }
};

TEST(LoadListings, OneWalkGivesWhatAWalkOfItsOwnGives) {
    const std::string root = DiskPath("lib/");
    for (const std::string& index : {std::string(), StartupIndexPath(DiskPath("data"), root)}) {
        SCOPED_TRACE(index.empty() ? "without startup index" : "with startup index");
        CountingDisk disk;
        disk.Put(DiskPath("lib/index.sub"), "FOLDER_1?Folder\r\nREPLY_1?One\r\nFOLDER_5?Gone\r\n");
        disk.Put(DiskPath("lib/1.rep"), "one\r\n0A\r\n");
        disk.Put(DiskPath("lib/1/index.sub"), "FOLDER_2?Inner\r\nREPLY_1?Deep\r\n");
        disk.Put(DiskPath("lib/1/1.rep"), "deep\r\n\r\n");
        disk.Put(DiskPath("lib/1/2/index.sub"), "");
        // Folders that no index names still count when someone changes them.
        disk.Put(DiskPath("lib/9/8/7.rep"), "stray\r\n\r\n");
        MemoryLibrary loaded(disk, root, index);
        const LibraryListing handed = LibraryListing::Take(disk, root, loaded.list.TakeListings());
        for (const auto& [dir, times] : disk.listed) {
            EXPECT_EQ(times, 1) << dir;
        }
        EXPECT_EQ(disk.listed.size(), 5u) << "the root, 1, 1/2, 9 and 9/8";
        const LibraryListing own = LibraryListing::Take(disk, root);
        EXPECT_TRUE(handed.ChangedPaths(own).empty());
        EXPECT_TRUE(own.ChangedPaths(handed).empty());
        EXPECT_TRUE(loaded.list.TakeListings().empty()) << "given once";
    }
}

// With a startup index a load lists the folders it expects ahead, on a thread of its own. Whatever
// changed since, each folder is still listed once and the load is what the files alone give.
TEST(LoadListings, FoldersListedAheadAreEachListedOnce) {
    struct Disk : MemoryFileSystem {
        std::mutex mutex;
        std::map<std::string, int> listed;
        std::optional<std::vector<FolderEntry>> ListFolder(const std::string& dir) override {
            std::lock_guard lock(mutex);
            ++listed[Trim(dir)];
            return MemoryFileSystem::ListFolder(dir);
        }
        bool ListsFromAnyThread() const override { return true; }
    };
    const std::string root = DiskPath("lib/");
    const std::string index = StartupIndexPath(DiskPath("data"), root);
    const auto folderLines = [](int from, int to) {
        std::string lines;
        for (int i = from; from <= to ? i <= to : i >= to; i += from <= to ? 1 : -1) {
            lines += "FOLDER_" + std::to_string(i) + "?F" + std::to_string(i) + "\r\n";
        }
        return lines;
    };
    const int folders = static_cast<int>(TRepList::kFoldersWorthListingAhead) + 4;
    const struct {
        const char* name;
        std::function<void(Disk&)> change;
    } cases[] = {
        {"unchanged", [](Disk&) {}},
        {"folders in another order",
         [&](Disk& d) { d.Put(root + "index.sub", folderLines(folders, 1)); }},
        {"folder gone",
         [&](Disk& d) {
             d.Put(root + "index.sub", folderLines(1, 5) + folderLines(7, folders));
             d.DeleteTreeNoFollow(root + "6");
         }},
        {"folder named but gone", [&](Disk& d) { d.DeleteTreeNoFollow(root + "7"); }},
        {"folder added",
         [&](Disk& d) {
             d.Put(root + "index.sub", folderLines(1, folders + 1));
             d.Put(DiskPath("lib/" + std::to_string(folders + 1) + "/index.sub"), "");
         }},
        {"inner folder added",
         [&](Disk& d) {
             d.Put(DiskPath("lib/3/index.sub"), "REPLY_1?R3\r\nFOLDER_9?Inner\r\n");
             d.Put(DiskPath("lib/3/9/index.sub"), "REPLY_1?Deep\r\n");
             d.Put(DiskPath("lib/3/9/1.rep"), "deep\r\n\r\n");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Disk disk;
        disk.Put(root + "index.sub", folderLines(1, folders));
        for (int i = 1; i <= folders; ++i) {
            const std::string folder = "lib/" + std::to_string(i) + "/";
            disk.Put(DiskPath(folder + "index.sub"), "REPLY_1?R" + std::to_string(i) + "\r\n");
            disk.Put(DiskPath(folder + "1.rep"), "m" + std::to_string(i) + "\r\n\r\n");
        }
        { MemoryLibrary cold(disk, root, index); }
        c.change(disk);
        disk.listed.clear();
        MemoryLibrary warm(disk, root, index);
        for (const auto& [dir, times] : disk.listed) {
            EXPECT_EQ(times, 1) << dir;
        }
        MemoryFileSystem alone = disk;
        MemoryLibrary fromFiles(alone, root);
        EXPECT_EQ(warm.Shape(), fromFiles.Shape());
        EXPECT_EQ(warm.boxes.Errors(), fromFiles.boxes.Errors());
        const LibraryListing handed = LibraryListing::Take(disk, root, warm.list.TakeListings());
        EXPECT_TRUE(handed.ChangedPaths(LibraryListing::Take(disk, root)).empty());
    }
}

// A folder's identity costs an open of its own; only links call for it, and from the first link
// on a folder reached a second time is caught whichever way it was reached first.
TEST(LoadListings, OnlyLinksCallForFolderIdentities) {
    struct Disk : testing::DiskFixture {
        void TestBody() override {}
    };
    struct Counting : WriteTracker {
        using WriteTracker::WriteTracker;
        int identities = 0;
        std::optional<DirIdentity> GetDirIdentity(const std::string& path) override {
            ++identities;
            return WriteTracker::GetDirIdentity(path);
        }
    };
    const struct {
        const char* name;
        const char* rootIndex;
        const char* link; // a link "2" to this folder, when set
        const char* shape;
        const char* unopened; // the index file reported as not opened, if any
        int identities;
    } cases[] = {
        {"plain folders", "FOLDER_1?One\r\nFOLDER_3?Three\r\n", nullptr,
         "One /1\n.Inside #1.rep m=in\nThree /3\n", nullptr, 1},
        {"link to the root", "FOLDER_1?One\r\nFOLDER_2?Link\r\n", "",
         "One /1\n.Inside #1.rep m=in\nLink /2\n", "2/index.sub", 3},
        {"link to a folder walked before", "FOLDER_1?One\r\nFOLDER_3?Three\r\nFOLDER_2?Link\r\n",
         "1", "One /1\n.Inside #1.rep m=in\nThree /3\nLink /2\n", "2/index.sub", 4},
        {"link to a folder walked after", "FOLDER_2?Link\r\nFOLDER_1?One\r\n", "1",
         "Link /2\n.Inside #1.rep m=in\nOne /1\n", "1/index.sub", 3},
    };
    bool linksMissing = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Disk disk;
        Counting counting(SystemFileSystem());
        disk.list.SetFileSystem(counting);
        disk.Put("index.sub", c.rootIndex);
        disk.Put("1/index.sub", "REPLY_1?Inside\r\n");
        disk.Put("1/1.rep", "in\r\n\r\n");
        disk.Put("3/index.sub", "");
        if (c.link && !fakes::TryLinkDirectory(disk.temp.Path() / c.link, disk.temp.Path() / "2")) {
            linksMissing = true;
            continue;
        }
        disk.Load();
        EXPECT_EQ(disk.Shape(), c.shape);
        EXPECT_EQ(disk.boxes.Errors(),
                  c.unopened ? std::vector<std::string>{CantOpenMessage(disk.P(c.unopened))}
                             : std::vector<std::string>{});
        EXPECT_EQ(counting.identities, c.identities);
    }
    if (linksMissing) {
        GTEST_SKIP() << "this file system cannot create directory links: only plain folders ran";
    }
}

} // namespace
} // namespace tw
