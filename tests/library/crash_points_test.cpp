// Every library operation stopped dead after each of its disk changes: loading again shows the
// library as before or as after the operation, and the disk holds exactly what that library
// lists: no reply missing from every index, no index line pointing at nothing, no stray file.
// Every load keeps a startup index, whose writes are stopped at too: the next start, taking what
// it can from whatever index the stop left, still shows what the files alone give.
#include "fakes/crashing_file_system.h"
#include "fakes/memory_library.h"
#include "library/index_line.h"
#include "library/library_error.h"
#include "library/pending_change.h"
#include "library/rep_list.h"
#include "library/startup_index.h"

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

const std::string kStartupIndex = StartupIndexPath(std::string(1, kPathSep) + "data", kRoot);

struct Loaded : fakes::MemoryLibrary {
    Loaded(FileSystem& files, const std::string& root)
        : MemoryLibrary(files, root, kStartupIndex) {}
};

std::string FilesAlone(const MemoryFileSystem& disk) {
    MemoryFileSystem copy = disk;
    return fakes::MemoryLibrary(copy, kRoot).Shape();
}

struct Operation {
    const char* name;
    std::function<bool(Loaded&)> run; // false: the write was refused
};

const Operation kOperations[] = {
    {"add reply", [](Loaded& l) { return l.list.AddNewReply(l.Named("B1")).Ok(); }},
    {"add folder", [](Loaded& l) { return l.list.AddNewFolder(l.Named("Deep")).Ok(); }},
    {"rename", [](Loaded& l) { return l.list.RenameItem(l.Named("Stay"), "Stayed").Ok(); }},
    {"rename the reply of a new folder",
     [](Loaded& l) { return l.list.RenameItem(l.Named("Fresh"), "Prices").Ok(); }},
    {"move in its folder",
     [](Loaded& l) { return l.list.MoveItem(l.Named("Stay"), l.Named("Moving")).Ok(); }},
    {"move a reply between folders",
     [](Loaded& l) { return l.list.MoveItem(l.Named("Moving"), l.Named("B2")).Ok(); }},
    {"move a folder between folders",
     [](Loaded& l) { return l.list.MoveItem(l.Named("Inner"), l.Named("Top")).Ok(); }},
    {"delete a reply", [](Loaded& l) { return l.list.DeleteFromDisk(l.Named("B2")).Ok(); }},
    {"delete a folder tree", [](Loaded& l) { return l.list.DeleteFromDisk(l.Named("A")).Ok(); }},
    {"save a reply's text",
     [](Loaded& l) {
         TRep* top = l.Named("Top");
         l.list.SetBody(top, {"{\\rtf1", "new text}"});
         return l.list.SaveReply(top).Ok();
     }},
    {"assign macro and hot key",
     [](Loaded& l) {
         TRep* b1 = l.Named("B1");
         l.list.SetMacro(b1, "greet(Name)");
         l.list.SetHotKey(b1, "1G");
         return l.list.SaveReply(b1).Ok();
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
                const std::string alone = FilesAlone(disk);
                Loaded reloaded(disk, kRoot);
                const std::string shape = reloaded.Shape();
                EXPECT_TRUE(shape == before || shape == after) << shape;
                EXPECT_EQ(shape, alone);
                EXPECT_TRUE(reloaded.boxes.shown.empty());
                EXPECT_EQ(reloaded.StrayPaths(disk), "");
            }
        }
    }
}

// A record that is not sound, names anything outside the library's own files, or expects files
// that have been changed since, changes nothing; it is reported once and removed. A sound one is
// carried out.
TEST(CrashPoints, OnlySoundRecordsAreCarriedOut) {
    const std::string header = "Textwright pending change 2\r\n";
    const auto record = [](const std::string& indexBefore) {
        DiskChange change;
        change.Write(P("2/index.sub"), "REPLY_1?B1\r\n", indexBefore);
        change.Remove(P("2/2.rep"));
        return change.Serialize(kRoot);
    };
    const std::string index = "REPLY_1?B1\r\nREPLY_2?B2\r\n";
    const struct {
        const char* name;
        std::string record;
        bool applied;
    } cases[] = {
        {"sound", record(index), true},
        {"index changed since", record("REPLY_2?B2\r\nREPLY_1?B1\r\n"), false},
        {"no end", header + "X 2/2.rep\r\n", false},
        {"bytes past the end", header + "W 2/index.sub 99 -\r\nREPLY_1?B1\r\nEND\r\n", false},
        {"size of 2^32", header + "W 2/index.sub 4294967296 -\r\nx\r\nEND\r\n", false},
        {"size past 64 bits", header + "W 2/index.sub 18446744073709551616 -\r\nx\r\nEND\r\n",
         false},
        {"no earlier state", header + "W 2/index.sub 1\r\nx\r\nEND\r\n", false},
        {"parent folder", header + "X 2/../1\r\nEND\r\n", false},
        {"absolute path", header + "X " + P("2") + "\r\nEND\r\n", false},
        {"other file name", header + "W 2/x.txt 1 -\r\nx\r\nEND\r\n", false},
        {"rename without target", header + "R 2/2.rep\r\nEND\r\n", false},
        {"unknown step", header + "Q 2/2.rep\r\nEND\r\n", false},
        {"other header", "Textwright pending change 9\r\nX 2/2.rep\r\nEND\r\n", false},
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

// A disk that refuses some changing calls for a while, then works again: the program goes on.
class FlakyFileSystem : public MemoryFileSystem {
public:
    bool lockRecord = false; // the record cannot be removed (a scanner holds it)
    int failChanges = 0;     // so many changing calls fail from now on
    WriteResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        return Fail() ? WriteResult{false, "locked " + path}
                      : MemoryFileSystem::WriteFileAtomic(path, bytes);
    }
    bool RenamePath(const std::string& from, const std::string& to) override {
        return !Fail() && MemoryFileSystem::RenamePath(from, to);
    }
    bool RemoveFileForce(const std::string& path) override {
        const bool record = path == kRoot + kPendingChangeFileName;
        return !(record && lockRecord) && !Fail() && MemoryFileSystem::RemoveFileForce(path);
    }

private:
    bool Fail() { return failChanges > 0 && failChanges-- > 0; }
};

// Later edits that touch every index and every reply file; returns how many were refused.
int EditEverything(Loaded& l) {
    std::vector<TRep*> items;
    for (TreeNode* n = l.tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
        items.push_back(n->Data());
    }
    int refused = 0;
    for (TRep* item : items) {
        refused += !l.list.RenameItem(item, item->Caption() + "+");
        if (!item->IsFolder()) {
            l.list.SetBody(item, {"edited " + item->Caption()});
            refused += !l.list.SaveReply(item);
        }
    }
    return refused;
}

// A record left behind, because removing it failed or because completing it at the next start
// failed, never undoes the edits made after it, is reported once, and is never overwritten
// while unfinished.
TEST(CrashPoints, ARecordLeftBehindNeverUndoesLaterEdits) {
    const MemoryFileSystem start = SampleDisk();
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        MemoryFileSystem clean = start;
        {
            Loaded l(clean, kRoot);
            op.run(l);
        }
        const std::string after = Loaded(clean, kRoot).Shape();
        {
            Loaded l(clean, kRoot);
            ASSERT_EQ(EditEverything(l), 0);
        }
        const std::string edited = Loaded(clean, kRoot).Shape();

        // Removing the record fails for this run and the next, in which the user edits.
        FlakyFileSystem locked;
        static_cast<MemoryFileSystem&>(locked) = start;
        locked.lockRecord = true;
        for (int run = 0; run < 2; ++run) {
            Loaded l(locked, kRoot);
            const std::size_t atLoad = l.boxes.shown.size();
            if (run == 0) {
                op.run(l);
            } else {
                EXPECT_EQ(EditEverything(l), 0);
            }
            EXPECT_LE(l.boxes.shown.size(), 1u) << "reported once";
            EXPECT_EQ(atLoad, run == 0 ? 0u : l.boxes.shown.size());
        }
        locked.lockRecord = false;
        Loaded afterLock(locked, kRoot);
        EXPECT_EQ(afterLock.Shape(), edited);
        EXPECT_EQ(afterLock.StrayPaths(locked), "");

        // Stopped after the record was written; the next start cannot complete it at first.
        const Operation loadOnly{"load", [](Loaded&) { return true; }};
        int atLoad = 0;
        RunUntil(loadOnly, start, -1, &atLoad);
        FlakyFileSystem interrupted;
        static_cast<MemoryFileSystem&>(interrupted) = RunUntil(op, start, atLoad + 1);
        if (!interrupted.files.count(kRoot + kPendingChangeFileName)) {
            continue; // a change of one write keeps no record
        }
        interrupted.failChanges = 1;
        {
            Loaded l(interrupted, kRoot);
            EXPECT_EQ(l.boxes.shown.size(), 1u) << "the failed completion is reported";
            EXPECT_GT(EditEverything(l), 0);
            EXPECT_EQ(interrupted.files.count(kRoot + kPendingChangeFileName), 1u);
        }
        Loaded afterRetry(interrupted, kRoot);
        EXPECT_EQ(afterRetry.Shape(), after);
        EXPECT_TRUE(afterRetry.boxes.shown.empty());
        EXPECT_EQ(afterRetry.StrayPaths(interrupted), "");
    }
}

} // namespace
} // namespace tw
