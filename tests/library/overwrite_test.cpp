// Nothing written elsewhere is overwritten: a reply file changed on disk is not saved over, and an
// index changed on disk takes our lines on top of its own.
#include "fakes/memory_library.h"
#include "library/index_merge.h"
#include "library/text_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace tw {
namespace {

using fakes::MemoryFileSystem;
using fakes::MemoryLibrary;

std::string P(const std::string& relative) {
    return fakes::DiskPath(relative);
}

const std::string kRoot = P("lib/");
const std::string kOurs = "one\r\n0A\r\nmine\r\n";
const std::string kTheirs = "two\r\n\r\ntheirs, longer\r\n";

MemoryFileSystem SampleDisk() {
    MemoryFileSystem disk;
    disk.Put(P("lib/index.sub"), "REPLY_1?One\r\nREPLY_2?Two\r\n");
    disk.Put(P("lib/1.rep"), "one\r\n0A\r\nfirst\r\n");
    disk.Put(P("lib/2.rep"), "\r\n\r\n");
    return disk;
}

TEST(ChangedElsewhere, ASaveWritesOnlyOverWhatItSaw) {
    struct Case {
        const char* name;
        std::function<void(MemoryFileSystem&, MemoryLibrary&)> meanwhile;
        TRepList::SaveState state;
        std::string onDisk;
    };
    const Case cases[] = {
        {"unchanged", [](MemoryFileSystem&, MemoryLibrary&) {}, TRepList::SaveState::Saved, kOurs},
        {"changed size",
         [](MemoryFileSystem& d, MemoryLibrary&) { d.Put(P("lib/1.rep"), kTheirs); },
         TRepList::SaveState::ChangedElsewhere, kTheirs},
        {"changed time only",
         [](MemoryFileSystem& d, MemoryLibrary&) { ++d.writeTimes[P("lib/1.rep")]; },
         TRepList::SaveState::ChangedElsewhere, "one\r\n0A\r\nfirst\r\n"},
        {"missing", [](MemoryFileSystem& d, MemoryLibrary&) { d.files.erase(P("lib/1.rep")); },
         TRepList::SaveState::Saved, kOurs},
        {"our own earlier save",
         [](MemoryFileSystem&, MemoryLibrary& l) {
             EXPECT_TRUE(l.list.SaveReply(l.Named("One")).Ok());
         },
         TRepList::SaveState::Saved, kOurs},
        {"changed after we deleted a folder whose name it begins with",
         [](MemoryFileSystem& d, MemoryLibrary& l) {
             const auto folder = l.list.AddNewFolder(nullptr);
             ASSERT_TRUE(folder.Ok());
             ASSERT_TRUE(l.list.DeleteFromDisk(folder.Value()).Ok());
             d.Put(P("lib/1.rep"), kTheirs);
         },
         TRepList::SaveState::ChangedElsewhere, kTheirs},
        {"changed after our own save",
         [](MemoryFileSystem& d, MemoryLibrary& l) {
             EXPECT_TRUE(l.list.SaveReply(l.Named("One")).Ok());
             d.Put(P("lib/1.rep"), kTheirs);
         },
         TRepList::SaveState::ChangedElsewhere, kTheirs},
    };
    for (const Case& c : cases) {
        MemoryFileSystem disk = SampleDisk();
        MemoryLibrary l(disk, kRoot);
        l.list.BodyOf(l.Named("One"));
        c.meanwhile(disk, l);
        l.list.SetBody(l.Named("One"), {"mine"});
        const auto saved = l.list.SaveReply(l.Named("One"));
        ASSERT_TRUE(saved.Ok()) << c.name;
        EXPECT_EQ(saved.Value(), c.state) << c.name;
        EXPECT_EQ(disk.files[P("lib/1.rep")], c.onDisk) << c.name;
    }
}

TEST(ChangedElsewhere, EachChoiceLosesNothingItKeeps) {
    struct Case {
        const char* name;
        std::function<void(TRepList&, TRep*)> choose;
        std::string shape; // the library as it loads afterwards
    };
    const Case cases[] = {
        {"keep mine",
         [](TRepList& list, TRep* one) {
             const auto copy = list.KeepMine(one);
             ASSERT_TRUE(copy.Ok());
             ASSERT_NE(copy.Value(), nullptr);
             EXPECT_EQ(copy.Value()->Caption(), "One (changed elsewhere)");
         },
         "One 1.rep m=one k=0A | mine\nTwo 2.rep\nOne (changed elsewhere) 3.rep m=two | theirs, "
         "longer\n"},
        {"take theirs", [](TRepList& list, TRep* one) { EXPECT_TRUE(list.TakeTheirs(one).Ok()); },
         "One 1.rep m=two | theirs, longer\nTwo 2.rep\n"},
    };
    for (const Case& c : cases) {
        MemoryFileSystem disk = SampleDisk();
        MemoryLibrary l(disk, kRoot);
        disk.Put(P("lib/1.rep"), kTheirs);
        l.list.SetBody(l.Named("One"), {"mine"});
        c.choose(l.list, l.Named("One"));
        // What the program shows now is what a new start finds.
        EXPECT_EQ(l.Shape(), c.shape) << c.name;
        EXPECT_EQ(MemoryLibrary(disk, kRoot).Shape(), c.shape) << c.name;
        const auto again = l.list.SaveReply(l.Named("One"));
        EXPECT_TRUE(again.Ok() && again.Value() == TRepList::SaveState::Saved) << c.name;
    }
}

std::vector<std::string> Lines(const std::string& joined) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t bar = joined.find('|'); !joined.empty(); bar = joined.find('|', start)) {
        lines.push_back(joined.substr(start, bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    return lines;
}

TEST(IndexMerge, OurLinesGoOnTopOfTheirs) {
    struct Case {
        const char* name;
        const char* base;
        const char* ours;
        const char* theirs;
        const char* merged;
    };
    const Case cases[] = {
        {"both add", "REPLY_1?A|REPLY_2?B", "REPLY_1?A|REPLY_2?B|REPLY_3?C",
         "REPLY_1?A|REPLY_2?B|REPLY_4?D", "REPLY_1?A|REPLY_2?B|REPLY_3?C|REPLY_4?D"},
        {"they remove what we move", "REPLY_1?A|REPLY_2?B|REPLY_3?C",
         "REPLY_3?C|REPLY_1?A|REPLY_2?B", "REPLY_1?A|REPLY_2?B", "REPLY_1?A|REPLY_2?B"},
        {"both rename: the disk wins", "REPLY_1?A", "REPLY_1?Ours", "REPLY_1?Theirs",
         "REPLY_1?Theirs"},
        {"we rename, they add", "REPLY_1?A|REPLY_2?B", "REPLY_1?Ours|REPLY_2?B",
         "REPLY_1?A|REPLY_2?B|FOLDER_1?F", "REPLY_1?Ours|REPLY_2?B|FOLDER_1?F"},
        {"we remove what they rename", "REPLY_1?A|REPLY_2?B", "REPLY_2?B",
         "REPLY_1?Theirs|REPLY_2?B", "REPLY_2?B"},
        {"we move, they add", "REPLY_1?A|REPLY_2?B|REPLY_3?C", "REPLY_2?B|REPLY_1?A|REPLY_3?C",
         "REPLY_1?A|REPLY_2?B|REPLY_3?C|REPLY_4?D", "REPLY_2?B|REPLY_1?A|REPLY_3?C|REPLY_4?D"},
        {"we move, they rename it", "REPLY_1?A|REPLY_2?B", "REPLY_2?B|REPLY_1?A",
         "REPLY_1?Theirs|REPLY_2?B", "REPLY_2?B|REPLY_1?Theirs"},
        {"they reorder, we rename", "REPLY_1?A|REPLY_2?B", "REPLY_1?Ours|REPLY_2?B",
         "REPLY_2?B|REPLY_1?A", "REPLY_2?B|REPLY_1?Ours"},
        {"both add one line: theirs stands", "REPLY_1?A", "REPLY_1?A|REPLY_2?Ours",
         "REPLY_1?A|reply_2?Theirs", "REPLY_1?A|reply_2?Theirs"},
        {"we add first, they emptied it", "REPLY_1?A", "REPLY_2?New|REPLY_1?A", "", "REPLY_2?New"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MergeIndexLines(Lines(c.base), Lines(c.ours), Lines(c.theirs)), Lines(c.merged))
            << c.name;
    }
}

// Another program writes its change at the moment ours has read the index and not yet written.
class RacingDisk : public MemoryFileSystem {
public:
    std::function<void(MemoryFileSystem&)> other;
    bool FileExists(const std::string& path) override {
        if (other && path.ends_with(kReplyExtension)) {
            auto run = std::move(other);
            other = nullptr;
            run(*this);
        }
        return MemoryFileSystem::FileExists(path);
    }
};

TEST(IndexMerge, AChangeMadeWhileOursIsUnderWayIsKept) {
    struct Case {
        const char* name;
        std::function<void(MemoryFileSystem&)> other;
        std::string index;
    };
    const Case cases[] = {
        {"they add a reply",
         [](MemoryFileSystem& d) {
             d.Put(P("lib/7.rep"), "\r\n\r\n");
             d.Put(P("lib/index.sub"), "REPLY_1?One\r\nREPLY_2?Two\r\nREPLY_7?Theirs\r\n");
         },
         "REPLY_1?One\r\nREPLY_2?Two\r\nREPLY_3?New Reply\r\nREPLY_7?Theirs\r\n"},
        {"they drop a line whose file stays",
         [](MemoryFileSystem& d) { d.Put(P("lib/index.sub"), "REPLY_2?Two\r\n"); },
         "REPLY_2?Two\r\nREPLY_3?New Reply\r\nREPLY_1?One\r\n"},
    };
    for (const Case& c : cases) {
        RacingDisk disk;
        static_cast<MemoryFileSystem&>(disk) = SampleDisk();
        MemoryLibrary l(disk, kRoot);
        disk.other = c.other;
        ASSERT_TRUE(l.list.AddNewReply(l.Named("Two")).Ok()) << c.name;
        EXPECT_EQ(disk.files[P("lib/index.sub")], c.index) << c.name;
    }
}

TEST(IndexMerge, TwoProgramsAddingToOneLibraryLoseNothing) {
    MemoryFileSystem disk = SampleDisk();
    MemoryLibrary first(disk, kRoot);
    MemoryLibrary second(disk, kRoot);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(first.list.AddNewReply(first.Named("One")).Ok());
        ASSERT_TRUE(second.list.AddNewReply(second.Named("Two")).Ok());
    }
    // Each program renames its own newest reply; the other's name stays.
    ASSERT_TRUE(first.list.RenameItem(first.Named("New Reply"), "First's").Ok());
    EXPECT_EQ(MemoryLibrary(disk, kRoot).Shape(),
              "One 1.rep m=one k=0A | first\nTwo 2.rep\nFirst's 3.rep\nNew Reply 4.rep\n"
              "New Reply 5.rep\nNew Reply 6.rep\nNew Reply 7.rep\nNew Reply 8.rep\n");
}

} // namespace
} // namespace tw
