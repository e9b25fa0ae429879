// Every library operation stopped dead after each of its disk changes: loading again shows the
// library as before or as after the operation, and the disk holds exactly what that library
// lists: no reply missing from every index, no index line pointing at nothing, no stray file.
#include "fakes/crashing_file_system.h"
#include "fakes/memory_library.h"
#include "library/index_line.h"
#include "library/pending_change.h"
#include "library/rep_list.h"

#include <gtest/gtest.h>

#include <functional>

namespace tw {
namespace {

using fakes::CrashingFileSystem;
using fakes::MemoryFileSystem;

const std::string kRoot = std::string(1, kPathSep) + "lib" + kPathSep;

std::string P(const std::string& relative) {
    std::string p = kRoot + relative;
    for (char& c : p) {
        c = c == '/' ? kPathSep : c;
    }
    return p;
}

MemoryFileSystem SampleDisk() {
    MemoryFileSystem disk;
    disk.Put(P("index.sub"), "FOLDER_1?A\r\nFOLDER_2?B\r\nFOLDER_3?New Folder\r\nREPLY_1?Top\r\n");
    disk.Put(P("1.rep"), "top\r\n0T\r\n{\\rtf1 top}\r\n");
    disk.Put(P("1/index.sub"), "REPLY_4?Moving\r\nREPLY_1?Stay\r\nFOLDER_1?Inner\r\n");
    disk.Put(P("1/4.rep"), "mv(Name)\r\n1M\r\nbody\r\n");
    disk.Put(P("1/1.rep"), "\r\n\r\n");
    disk.Put(P("1/1/index.sub"), "REPLY_1?Deep\r\n");
    disk.Put(P("1/1/1.rep"), "deep\r\n\r\n{\\rtf1 d}\r\n");
    disk.Put(P("2/index.sub"), "REPLY_1?B1\r\nREPLY_2?B2\r\n");
    disk.Put(P("2/1.rep"), "\r\n\r\n");
    disk.Put(P("2/2.rep"), "b2\r\n05\r\n");
    disk.Put(P("3/index.sub"), "REPLY_1?Fresh\r\n");
    disk.Put(P("3/1.rep"), "\r\n\r\n");
    return disk;
}

using Loaded = fakes::MemoryLibrary;

struct Operation {
    const char* name;
    std::function<void(Loaded&)> run;
};

const Operation kOperations[] = {
    {"add reply", [](Loaded& l) { l.list.AddNewReply(l.Named("B1")); }},
    {"add folder", [](Loaded& l) { l.list.AddNewFolder(l.Named("Deep")); }},
    {"rename", [](Loaded& l) { l.list.RenameItem(l.Named("Stay"), "Stayed"); }},
    {"rename the reply of a new folder",
     [](Loaded& l) { l.list.RenameItem(l.Named("Fresh"), "Prices"); }},
    {"move in its folder", [](Loaded& l) { l.list.MoveItem(l.Named("Stay"), l.Named("Moving")); }},
    {"move a reply between folders",
     [](Loaded& l) { l.list.MoveItem(l.Named("Moving"), l.Named("B2")); }},
    {"move a folder between folders",
     [](Loaded& l) { l.list.MoveItem(l.Named("Inner"), l.Named("Top")); }},
    {"delete a reply", [](Loaded& l) { l.list.DeleteFromDisk(l.Named("B2")); }},
    {"delete a folder tree", [](Loaded& l) { l.list.DeleteFromDisk(l.Named("A")); }},
    {"save a reply's text",
     [](Loaded& l) {
         TRep* top = l.Named("Top");
         l.list.SetBody(top, {"{\\rtf1", "new text}"});
         l.list.SaveReply(top);
     }},
    {"assign macro and hot key",
     [](Loaded& l) {
         TRep* b1 = l.Named("B1");
         l.list.SetMacro(b1, "greet(Name)");
         l.list.SetHotKey(b1, "1G");
         l.list.SaveReply(b1);
     }},
};

// Runs the operation on a copy of the disk that stops after `limit` changes; the copy is left
// as the stop left it.
MemoryFileSystem RunUntil(const Operation& op, const MemoryFileSystem& start, int limit,
                          int* changes = nullptr) {
    MemoryFileSystem disk = start;
    CrashingFileSystem crashing(disk, limit);
    {
        Loaded loaded(crashing, kRoot);
        try {
            op.run(loaded);
        } catch (const std::exception&) {
            // the write that failed is where the program died
        }
    }
    if (changes) {
        *changes = crashing.Changes();
    }
    return disk;
}

TEST(CrashPoints, EveryStopLoadsAsBeforeOrAfter) {
    const MemoryFileSystem start = SampleDisk();
    MemoryFileSystem startCopy = start;
    const std::string before = Loaded(startCopy, kRoot).Shape();
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        int total = 0;
        MemoryFileSystem finished = RunUntil(op, start, -1, &total);
        Loaded afterLoad(finished, kRoot);
        const std::string after = afterLoad.Shape();
        ASSERT_NE(after, before);
        ASSERT_TRUE(afterLoad.boxes.shown.empty());
        EXPECT_EQ(afterLoad.StrayPaths(finished), "");
        for (int k = 0; k <= total; ++k) {
            SCOPED_TRACE("stopped after change " + std::to_string(k) + " of " +
                         std::to_string(total));
            const MemoryFileSystem stopped = RunUntil(op, start, k);
            // The next start may itself be stopped while it completes the change.
            const bool pending = stopped.files.count(kRoot + kPendingChangeFileName) != 0;
            for (int j = 0; j <= (pending ? total + 1 : 0); ++j) {
                MemoryFileSystem disk = stopped;
                if (pending) {
                    CrashingFileSystem again(disk, j);
                    Loaded interrupted(again, kRoot);
                }
                Loaded reloaded(disk, kRoot);
                const std::string shape = reloaded.Shape();
                EXPECT_TRUE(shape == before || shape == after) << shape;
                EXPECT_TRUE(reloaded.boxes.shown.empty());
                EXPECT_EQ(reloaded.StrayPaths(disk), "");
            }
        }
    }
}

// A record that is not sound, or that names anything outside the library's own files, changes
// nothing; it is reported once and removed. A sound one is carried out.
TEST(CrashPoints, OnlySoundRecordsAreCarriedOut) {
    const std::string header = "Textwright pending change 1\r\n";
    const struct {
        const char* name;
        std::string record;
        bool applied;
    } cases[] = {
        {"sound", header + "W 2/index.sub 12\r\nREPLY_1?B1\r\n\r\nX 2/2.rep\r\nEND\r\n", true},
        {"no end", header + "X 2/2.rep\r\n", false},
        {"bytes past the end", header + "W 2/index.sub 99\r\nREPLY_1?B1\r\nEND\r\n", false},
        {"parent folder", header + "X 2/../1\r\nEND\r\n", false},
        {"absolute path", header + "X " + P("2") + "\r\nEND\r\n", false},
        {"other file name", header + "W 2/x.txt 1\r\nx\r\nEND\r\n", false},
        {"rename without target", header + "R 2/2.rep\r\nEND\r\n", false},
        {"unknown step", header + "Q 2/2.rep\r\nEND\r\n", false},
        {"other header", "Textwright pending change 2\r\nX 2/2.rep\r\nEND\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFileSystem disk = SampleDisk();
        disk.Put(kRoot + kPendingChangeFileName, c.record);
        Loaded loaded(disk, kRoot);
        EXPECT_EQ(loaded.Named("B1")->Node->NextSibling() == nullptr, c.applied);
        EXPECT_EQ(loaded.boxes.shown.size(), c.applied ? 0u : 1u);
        EXPECT_EQ(disk.files.count(kRoot + kPendingChangeFileName), 0u);
        EXPECT_EQ(loaded.StrayPaths(disk), "");
    }
}

} // namespace
} // namespace tw
