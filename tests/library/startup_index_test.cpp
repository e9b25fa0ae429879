// A start with the startup index: whatever became of the index or of the files since the last
// run, the library loaded is the one the files alone give, and only replies that changed are read.
#include "fakes/memory_library.h"
#include "library/startup_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

namespace tw {
namespace {

using fakes::MemoryFileSystem;
using fakes::MemoryLibrary;

std::string P(const std::string& relative) {
    return fakes::DiskPath(relative);
}

const std::string kRoot = P("lib/");
const std::string kIndex = StartupIndexPath(P("data"), kRoot);

MemoryFileSystem SampleDisk() {
    MemoryFileSystem disk;
    disk.Put(P("lib/index.sub"),
             "FOLDER_1?Folder\r\nREPLY_1?One\r\nREPLY_2?Two\r\nREPLY_3?Three\r\n");
    disk.Put(P("lib/1.rep"), "one\r\n0A\r\n{\\rtf1 one}\r\n");
    disk.Put(P("lib/2.rep"), "two\r\n\r\n");
    disk.Put(P("lib/3.rep"), "one\r\n0B\r\n"); // its macro is One's, so One keeps it
    disk.Put(P("lib/1/index.sub"), "REPLY_1?Inner\r\n");
    disk.Put(P("lib/1/1.rep"), "inner(Name)\r\n1Z\r\ntext\r\n");
    return disk;
}

struct Start {
    std::string shape;
    std::vector<std::string> errors;
    long repliesRead = 0;
    long indexesRead = 0;
};

Start Load(MemoryFileSystem& disk, const std::string& index) {
    disk.opened.clear();
    MemoryLibrary loaded(disk, kRoot, index);
    const auto read = [&disk](const char* ending) {
        return std::count_if(disk.opened.begin(), disk.opened.end(),
                             [ending](const std::string& p) { return p.ends_with(ending); });
    };
    const long replies = read(".rep");
    const long indexes = read("index.sub");
    return {loaded.Shape(), loaded.boxes.Errors(), replies, indexes};
}

// What the files alone give, on a copy of the disk.
Start FilesAlone(const MemoryFileSystem& disk) {
    MemoryFileSystem copy = disk;
    return Load(copy, "");
}

// The index rewritten for another root, sealed as the program writes it.
void MakeForeign(MemoryFileSystem& disk) {
    auto index = StartupIndex::Parse(disk.files.at(kIndex), kRoot);
    ASSERT_TRUE(index);
    disk.Put(kIndex, index->Serialize(P("other/")));
}

TEST(StartupIndex, AStartEqualsTheFilesAloneAndReadsOnlyWhatChanged) {
    const struct {
        const char* name;
        std::function<void(MemoryFileSystem&)> change;
        long read;                            // reply files read by the start after the change
        long readAgain;                       // and by the next one
        bool rewritten;                       // the start writes the index
        std::array<long, 2> indexesRead = {}; // index files read by that start and the next
    } cases[] = {
        {"unchanged", [](MemoryFileSystem&) {}, 0, 0, false},
        {"macro edited", [](auto& d) { d.Put(P("lib/1.rep"), "hello\r\n0A\r\n{\\rtf1 one}\r\n"); },
         1, 0, true},
        {"same size, other text", [](auto& d) { d.Put(P("lib/2.rep"), "owt\r\n\r\n"); }, 1, 0,
         true},
        {"rewritten as it was", [](auto& d) { d.Put(P("lib/2.rep"), "two\r\n\r\n"); }, 1, 0, true},
        {"hot key removed", [](auto& d) { d.Put(P("lib/1/1.rep"), "inner(Name)\r\n\r\ntext\r\n"); },
         1, 0, true},
        {"reply file gone", [](auto& d) { d.RemoveFileForce(P("lib/2.rep")); }, 1, 1, true},
        {"reply file cut to one line", [](auto& d) { d.Put(P("lib/3.rep"), "one\r\n"); }, 1, 1,
         true},
        {"new reply",
         [](auto& d) {
             d.Put(P("lib/index.sub"), d.files.at(P("lib/index.sub")) + "REPLY_4?Four\r\n");
             d.Put(P("lib/4.rep"), "four\r\n05\r\n");
         },
         1,
         0,
         true,
         {1, 0}},
        {"line of a reply removed",
         [](auto& d) { d.Put(P("lib/index.sub"), "REPLY_2?Two\r\n"); },
         0,
         0,
         true,
         {1, 0}},
        {"disputed macro freed",
         [](auto& d) { d.Put(P("lib/index.sub"), "REPLY_3?Three\r\nFOLDER_1?Folder\r\n"); },
         0,
         0,
         true,
         {1, 0}},
        {"index missing", [](auto& d) { d.RemoveFileForce(kIndex); }, 4, 0, true, {2, 0}},
        {"index damaged",
         [](auto& d) {
             std::string bytes = d.files.at(kIndex);
             bytes[bytes.size() / 2] ^= 1;
             d.Put(kIndex, bytes);
         },
         4,
         0,
         true,
         {2, 0}},
        {"index cut short",
         [](auto& d) {
             d.Put(kIndex, d.files.at(kIndex).substr(0, d.files.at(kIndex).size() - 3));
         },
         4,
         0,
         true,
         {2, 0}},
        {"index of another root", MakeForeign, 4, 0, true, {2, 0}},
        {"index is a folder",
         [](auto& d) {
             d.RemoveFileForce(kIndex);
             d.AddDir(kIndex);
         },
         4,
         4,
         false,
         {2, 2}},
        {"folder's index rewritten as it was",
         [](auto& d) { d.Put(P("lib/1/index.sub"), "REPLY_1?Inner\r\n"); },
         0,
         0,
         true,
         {1, 0}},
        {"folder's index names another reply",
         [](auto& d) {
             d.Put(P("lib/1/index.sub"), "REPLY_2?Second\r\nREPLY_1?Inner\r\n");
             d.Put(P("lib/1/2.rep"), "second\r\n1Y\r\n");
         },
         1,
         0,
         true,
         {1, 0}},
        {"folder's index gone",
         [](auto& d) { d.RemoveFileForce(P("lib/1/index.sub")); },
         0,
         0,
         true,
         {1, 1}},
        {"folder gone", [](auto& d) { d.DeleteTreeNoFollow(P("lib/1")); }, 0, 0, true},
        {"folder's index now a folder",
         [](auto& d) {
             d.RemoveFileForce(P("lib/1/index.sub"));
             d.AddDir(P("lib/1/index.sub"));
         },
         0,
         0,
         true,
         {1, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFileSystem disk = SampleDisk();
        ASSERT_EQ(Load(disk, kIndex).repliesRead, 4);
        c.change(disk);
        const auto indexTime = [&] {
            return disk.writeTimes.count(kIndex) ? disk.writeTimes.at(kIndex) : 0;
        };
        const std::uint64_t before = indexTime();
        const Start warm = Load(disk, kIndex);
        const Start alone = FilesAlone(disk);
        EXPECT_EQ(warm.shape, alone.shape);
        EXPECT_EQ(warm.errors, alone.errors);
        EXPECT_EQ(warm.repliesRead, c.read);
        EXPECT_EQ(warm.indexesRead, c.indexesRead[0]);
        EXPECT_EQ(indexTime() != before, c.rewritten);
        const Start again = Load(disk, kIndex);
        EXPECT_EQ(again.shape, alone.shape);
        EXPECT_EQ(again.repliesRead, c.readAgain);
        EXPECT_EQ(again.indexesRead, c.indexesRead[1]);
    }
}

// After each of the library's own writes the index already knows the files: the next start
// reads no reply file and shows what the files alone give.
TEST(StartupIndex, TheLibrarysOwnWritesKeepItCurrent) {
    using Op = std::function<bool(MemoryLibrary&)>;
    const struct {
        const char* name;
        Op run;
    } cases[] = {
        {"save a new macro",
         [](MemoryLibrary& l) {
             l.list.SetMacro(l.Named("Two"), "deux");
             return l.list.SaveReply(l.Named("Two")).Ok();
         }},
        {"add a reply", [](MemoryLibrary& l) { return l.list.AddNewReply(l.Named("Inner")).Ok(); }},
        {"add a folder", [](MemoryLibrary& l) { return l.list.AddNewFolder(l.Named("One")).Ok(); }},
        {"rename", [](MemoryLibrary& l) { return l.list.RenameItem(l.Named("One"), "Uno").Ok(); }},
        {"move a reply into a folder",
         [](MemoryLibrary& l) { return l.list.MoveItem(l.Named("Two"), l.Named("Inner")).Ok(); }},
        {"move a folder below another",
         [](MemoryLibrary& l) {
             auto added = l.list.AddNewFolder(l.Named("One"));
             return added.Ok() && l.list.MoveItem(l.Named("Folder"), l.Named("New Reply")).Ok();
         }},
        {"delete a reply",
         [](MemoryLibrary& l) { return l.list.DeleteFromDisk(l.Named("One")).Ok(); }},
        {"delete a folder",
         [](MemoryLibrary& l) { return l.list.DeleteFromDisk(l.Named("Folder")).Ok(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFileSystem disk = SampleDisk();
        {
            MemoryLibrary l(disk, kRoot, kIndex);
            ASSERT_TRUE(c.run(l));
        }
        const Start next = Load(disk, kIndex);
        EXPECT_EQ(next.shape, FilesAlone(disk).shape);
        EXPECT_EQ(next.repliesRead, 0);
        EXPECT_EQ(next.indexesRead, 0);
    }
}

} // namespace
} // namespace tw
