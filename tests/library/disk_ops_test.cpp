// Writing the library: saving, renaming, moving, deleting and adding items.
#include "disk_fixture.h"
#include "fakes/result_checks.h"
#include "library/index_line.h"

#include <filesystem>

#include <unistd.h>

namespace tw {
namespace {

namespace fs = std::filesystem;
using testing::DiskFixture;

struct SampleLibrary : DiskFixture {
    void SetUp() override {
        Put("index.sub", "FOLDER_1?A\r\nFOLDER_2?B\r\nREPLY_1?Top\r\n");
        Put("1.rep", "top\r\n0T\r\n{\\rtf1 top}\r\n");
        Put("1/index.sub", "REPLY_4?Moving\r\nREPLY_1?Stay\r\n");
        Put("1/4.rep", "mv\r\n1M\r\nbody\r\n");
        Put("1/1.rep", "\r\n\r\n");
        Put("2/index.sub", "REPLY_1?B1\r\nREPLY_2?B2\r\nREPLY_4?B4\r\n");
        Put("2/1.rep", "\r\n\r\n");
        Put("2/2.rep", "\r\n\r\n");
        Put("2/4.rep", "\r\n\r\n");
        Load();
        ASSERT_TRUE(boxes.shown.empty());
    }
};

TEST_F(SampleLibrary, SaveReplyWritesIndexEntriesAndBody) {
    TRep* top = Named("Top");
    list.SetMacro(top, "newtop(Name)");
    list.SetHotKey(top, "");
    list.SetBody(top, {"{\\rtf1", "changed}"});
    EXPECT_TRUE(fakes::Succeeded(list.SaveReply(top)));
    EXPECT_EQ(Get("1.rep"), "newtop(Name)\r\n\r\n{\\rtf1\r\nchanged}\r\n");
    EXPECT_TRUE(fakes::Succeeded(list.SaveReply(Named("A")))); // a folder: nothing to write
    EXPECT_FALSE(Exists("1/A"));
}

TEST_F(SampleLibrary, SaveReplyKeepsTheFileOneLinePerField) {
    TRep* top = Named("Top");
    list.Macros.Replace(list.MacroIndexOf(top), "two\r\nlines");
    EXPECT_TRUE(fakes::Succeeded(list.SaveReply(top)));
    EXPECT_EQ(SplitLines(Get("1.rep"))[0], "two  lines");
    EXPECT_EQ(SplitLines(Get("1.rep"))[1], "0T");
}

TEST_F(SampleLibrary, RenameItemChangesTheIndexLineOnly) {
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(Named("Stay"), "Stayed")));
    EXPECT_EQ(Get("1/index.sub"), "REPLY_4?Moving\r\nREPLY_1?Stayed\r\n");
    EXPECT_EQ(Named("Stayed")->FileName, "1.rep");
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(Named("Stayed"), "")));
    EXPECT_EQ(Get("1/index.sub"), "REPLY_4?Moving\r\nREPLY_1?Stayed\r\n");
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(Named("B"), "Bee")));
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?A\r\nFOLDER_2?Bee\r\nREPLY_1?Top\r\n");
    EXPECT_TRUE(Exists("2/index.sub"));
}

TEST_F(SampleLibrary, RenamingTheFirstReplyOfANewFolderNamesTheFolder) {
    TRep* folder = fakes::Made(list.AddNewFolder(Named("Top")));
    TRep* reply = list.At(list.Count() - 1);
    ASSERT_EQ(reply->Node->Parent(), folder->Node);
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(reply, "Prices")));
    EXPECT_EQ(folder->Caption(), "Prices Folder");
    EXPECT_EQ(Get("index.sub"),
              "FOLDER_1?A\r\nFOLDER_2?B\r\nREPLY_1?Top\r\nFOLDER_3?Prices Folder\r\n");
    EXPECT_EQ(Get("3/index.sub"), "REPLY_1?Prices\r\n");
    // Only the exact caption counts.
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(folder, "new folder")));
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(reply, "Later")));
    EXPECT_EQ(folder->Caption(), "new folder");
}

TEST_F(SampleLibrary, RenameWithLineBreakStaysOneIndexLine) {
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(Named("Top"), "two\nlines")));
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?A\r\nFOLDER_2?B\r\nREPLY_1?two lines\r\n");
}

TEST_F(SampleLibrary, MoveWithinAFolderReordersItsIndex) {
    EXPECT_TRUE(fakes::Succeeded(list.MoveItem(Named("Top"), Named("A"))));
    EXPECT_EQ(Get("index.sub"), "REPLY_1?Top\r\nFOLDER_1?A\r\nFOLDER_2?B\r\n");
    EXPECT_TRUE(Exists("1.rep"));
}

TEST_F(SampleLibrary, MoveToAnotherFolderTakesTheFirstFreeNumber) {
    TRep* moving = Named("Moving");
    EXPECT_TRUE(fakes::Succeeded(list.MoveItem(moving, Named("B2"))));
    EXPECT_EQ(moving->FileName, "3.rep");
    EXPECT_EQ(Get("2/index.sub"), "REPLY_1?B1\r\nREPLY_3?Moving\r\nREPLY_2?B2\r\nREPLY_4?B4\r\n");
    EXPECT_EQ(Get("1/index.sub"), "REPLY_1?Stay\r\n");
    EXPECT_EQ(Get("2/3.rep"), "mv\r\n1M\r\nbody\r\n");
    EXPECT_FALSE(Exists("1/4.rep"));
    tree.MoveBefore(moving->Node, Named("B2")->Node);
    EXPECT_EQ(moving->FullPath(), P("2/3.rep"));
    EXPECT_EQ(list.MacroRep(list.FindMacro("mv")), moving);
}

TEST_F(SampleLibrary, MoveAFolderCarriesItsContents) {
    TRep* a = Named("A");
    EXPECT_TRUE(fakes::Succeeded(list.MoveItem(a, Named("B1"))));
    EXPECT_EQ(a->FolderId, "1");
    EXPECT_EQ(Get("2/index.sub"), "FOLDER_1?A\r\nREPLY_1?B1\r\nREPLY_2?B2\r\nREPLY_4?B4\r\n");
    EXPECT_EQ(Get("index.sub"), "FOLDER_2?B\r\nREPLY_1?Top\r\n");
    EXPECT_EQ(Get("2/1/4.rep"), "mv\r\n1M\r\nbody\r\n");
    EXPECT_FALSE(Exists("1"));
}

TEST_F(SampleLibrary, MoveIntoItsOwnSubtreeChangesNothing) {
    EXPECT_TRUE(fakes::Succeeded(list.MoveItem(Named("A"), Named("Stay"))));
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?A\r\nFOLDER_2?B\r\nREPLY_1?Top\r\n");
    EXPECT_EQ(Get("1/index.sub"), "REPLY_4?Moving\r\nREPLY_1?Stay\r\n");
}

// Tests run as root, so permissions cannot stop a write; a directory standing where the
// temporary file of an atomic write goes does.
void BlockWritesTo(const fs::path& file) {
    fs::create_directory(file.string() + ".~tw" + std::to_string(::getpid()));
}

TEST_F(SampleLibrary, FailedMoveLeavesBothIndexesAndTheFileAsTheyWere) {
    for (const char* blocked : {"2/index.sub", "1/index.sub"}) {
        BlockWritesTo(temp.Path() / blocked);
        TRep* moving = Named("Moving");
        EXPECT_TRUE(fakes::Refused(list.MoveItem(moving, Named("B2")))) << blocked;
        EXPECT_EQ(moving->FileName, "4.rep");
        EXPECT_EQ(Get("1/index.sub"), "REPLY_4?Moving\r\nREPLY_1?Stay\r\n");
        EXPECT_EQ(Get("2/index.sub"), "REPLY_1?B1\r\nREPLY_2?B2\r\nREPLY_4?B4\r\n");
        EXPECT_EQ(Get("1/4.rep"), "mv\r\n1M\r\nbody\r\n");
        EXPECT_FALSE(Exists("2/3.rep"));
        fs::remove(temp.Path() / (std::string(blocked) + ".~tw" + std::to_string(::getpid())));
    }
}

TEST_F(SampleLibrary, FailedSaveLeavesTheOldReplyFile) {
    BlockWritesTo(temp.Path() / "1.rep");
    TRep* top = Named("Top");
    list.SetBody(top, {"new"});
    const auto saved = list.SaveReply(top);
    ASSERT_FALSE(saved.Ok());
    EXPECT_NE(saved.Error().find(P("1.rep")), std::string::npos) << saved.Error();
    EXPECT_EQ(Get("1.rep"), "top\r\n0T\r\n{\\rtf1 top}\r\n");
}

TEST_F(SampleLibrary, DeleteReplyRemovesLineAndFile) {
    TRep* stay = Named("Stay");
    EXPECT_TRUE(fakes::Succeeded(list.DeleteFromDisk(stay)));
    list.RemoveSubtree(stay->Node);
    EXPECT_EQ(Get("1/index.sub"), "REPLY_4?Moving\r\n");
    EXPECT_FALSE(Exists("1/1.rep"));
    ExpectTreeAndListAgree();
}

TEST_F(SampleLibrary, DeleteFindsLinesByKindAndIdWithoutCase) {
    Put("1/index.sub", "reply_4?Renamed by hand\r\nREPLY_1?Stay\r\n");
    EXPECT_TRUE(fakes::Succeeded(list.DeleteFromDisk(Named("Moving"))));
    EXPECT_EQ(Get("1/index.sub"), "REPLY_1?Stay\r\n");
    std::vector<std::string> lines = {"reply_1?Stay"};
    EXPECT_EQ(list.FindIndexLine(Named("Stay"), lines), -1);
    lines = {"REPLY_1?STAY"};
    EXPECT_EQ(list.FindIndexLine(Named("Stay"), lines), 0);
}

TEST_F(SampleLibrary, FindIndexLineNeedsExactKindIdAndNameWithoutCase) {
    const TRep* a = Named("A");
    const TRep* top = Named("Top");
    const std::vector<std::string> lines = {"REPLY_1?A",  "FOLDER_01?A", "Folder_1?A",
                                            "FOLDER_1?B", "FOLDER_1?a",  "REPLY_1?TOP"};
    EXPECT_EQ(list.FindIndexLine(a, lines), 4);
    EXPECT_EQ(list.FindIndexLine(top, lines), 5);
    EXPECT_EQ(list.FindIndexLine(top, {}), -1);
}

// A line repeating an item's kind and id loads as nothing. Changing the item must not leave it
// naming a missing file (or the next reply given that number), nor act on it instead of the line
// the item was loaded from; the library then loads again as the model shows it.
TEST_F(SampleLibrary, ChangesDropLinesRepeatingTheItemsKindAndId) {
    const struct {
        const char* what;
        void (*change)(SampleLibrary&);
        const char* index;
    } cases[] = {
        {"delete",
         [](SampleLibrary& f) {
             EXPECT_TRUE(fakes::Succeeded(f.list.DeleteFromDisk(f.Named("Moving"))));
             f.list.RemoveSubtree(f.Named("Moving")->Node);
         },
         "REPLY_1?Stay\r\n"},
        {"move out",
         [](SampleLibrary& f) {
             EXPECT_TRUE(fakes::Succeeded(f.list.MoveItem(f.Named("Moving"), f.Named("B2"))));
             f.tree.MoveBefore(f.Named("Moving")->Node, f.Named("B2")->Node);
         },
         "REPLY_1?Stay\r\n"},
        {"move within",
         [](SampleLibrary& f) {
             EXPECT_TRUE(fakes::Succeeded(f.list.MoveItem(f.Named("Stay"), f.Named("Moving"))));
             f.tree.MoveBefore(f.Named("Stay")->Node, f.Named("Moving")->Node);
         },
         "REPLY_1?Stay\r\nreply_4?Moving\r\n"},
        {"rename",
         [](SampleLibrary& f) {
             EXPECT_TRUE(fakes::Succeeded(f.list.RenameItem(f.Named("Moving"), "Renamed")));
         },
         "reply_4?Renamed\r\nREPLY_1?Stay\r\n"},
    };
    for (const auto& c : cases) {
        Put("1/index.sub", "reply_4?Moving\r\nREPLY_1?Stay\r\nREPLY_4?Moving\r\n");
        Put("1/4.rep", "mv\r\n1M\r\nbody\r\n");
        Put("2/index.sub", "REPLY_1?B1\r\nREPLY_2?B2\r\nREPLY_4?B4\r\n");
        fs::remove(temp.Path() / "2" / "3.rep");
        Load();
        c.change(*this);
        EXPECT_EQ(Get("1/index.sub"), c.index) << c.what;
        const std::string model = Shape();
        boxes.shown.clear();
        Load();
        EXPECT_EQ(Shape(), model) << c.what;
        EXPECT_TRUE(boxes.shown.empty()) << c.what;
    }
}

TEST_F(SampleLibrary, RenameOfAnItemMissingFromItsIndexListsItAgain) {
    Put("1/index.sub", "REPLY_1?Stay\r\n");
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(Named("Moving"), "Found")));
    EXPECT_EQ(Get("1/index.sub"), "REPLY_1?Stay\r\nREPLY_4?Found\r\n");
    Put("1/index.sub", "REPLY_1?Stay\r\nreply_4?Edited by hand\r\n");
    EXPECT_TRUE(fakes::Succeeded(list.RenameItem(Named("Found"), "Again")));
    EXPECT_EQ(Get("1/index.sub"), "REPLY_1?Stay\r\nreply_4?Again\r\n");
}

TEST_F(SampleLibrary, DeleteFolderRemovesReadOnlyFilesButNeverFollowsLinks) {
    fakes::TempDir outside;
    outside.Put("precious.txt", "keep me");
    if (!tw::fakes::TryLinkDirectory(outside.Path(), temp.Path() / "1" / "link")) {
        GTEST_SKIP() << "this file system cannot create directory links";
    }
    fs::permissions(temp.Path() / "1" / "1.rep", fs::perms::owner_read);
    TRep* a = Named("A");
    EXPECT_TRUE(fakes::Succeeded(list.DeleteFromDisk(a)));
    list.RemoveSubtree(a->Node);
    EXPECT_FALSE(Exists("1"));
    EXPECT_EQ(outside.Get("precious.txt"), "keep me");
    EXPECT_EQ(Get("index.sub"), "FOLDER_2?B\r\nREPLY_1?Top\r\n");
    EXPECT_EQ(list.FindMacro("mv"), -1);
}

TEST_F(SampleLibrary, FolderThatIsALinkIsRemovedAsALink) {
    fakes::TempDir outside;
    outside.Put("index.sub", "");
    outside.Put("data.rep", "\r\n\r\n");
    Put("index.sub", "FOLDER_9?Linked\r\n");
    if (!tw::fakes::TryLinkDirectory(outside.Path(), temp.Path() / "9")) {
        GTEST_SKIP() << "this file system cannot create directory links";
    }
    Load();
    EXPECT_TRUE(fakes::Succeeded(list.DeleteFromDisk(Named("Linked"))));
    EXPECT_FALSE(Exists("9"));
    EXPECT_TRUE(outside.Exists("data.rep"));
}

TEST_F(SampleLibrary, ItemWithForgedIdTouchesNothing) {
    TRep* top = Named("Top");
    top->FileName = "../../escape.rep";
    EXPECT_TRUE(fakes::Refused(list.SaveReply(top)));
    EXPECT_TRUE(fakes::Refused(list.DeleteFromDisk(top)));
    TRep* a = Named("A");
    a->FolderId = "..";
    EXPECT_TRUE(fakes::Refused(list.DeleteFromDisk(a)));
    EXPECT_TRUE(fakes::Refused(list.DeleteFromDisk(Named("Stay")))); // its parent is forged
    EXPECT_TRUE(Exists("1/1.rep"));
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?A\r\nFOLDER_2?B\r\nREPLY_1?Top\r\n");
}

TEST_F(DiskFixture, AddReplyToAnEmptyRootWritesFirstNumber) {
    Put("index.sub", "");
    Load();
    TRep* added = fakes::Made(list.AddNewReply(nullptr));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->FileName, "1.rep");
    EXPECT_EQ(added->Caption(), "New Reply");
    EXPECT_EQ(Get("index.sub"), "REPLY_1?New Reply\r\n");
    EXPECT_EQ(Get("1.rep"), "\r\n\r\n");
}

TEST_F(DiskFixture, NewReplyNumbersReuseTheSmallestFree) {
    Put("index.sub", "REPLY_1?One\r\nREPLY_3?Three\r\n");
    Put("1.rep", "\r\n\r\n");
    Put("3.rep", "\r\n\r\n");
    Load();
    TRep* two = fakes::Made(list.AddNewReply(Named("One")));
    EXPECT_EQ(two->FileName, "2.rep");
    EXPECT_TRUE(fakes::Succeeded(list.DeleteFromDisk(two)));
    list.RemoveSubtree(two->Node);
    EXPECT_EQ(fakes::Made(list.AddNewReply(Named("Three")))->FileName, "2.rep");
    EXPECT_EQ(NextFreeReplyId(root), "4");
}

TEST_F(DiskFixture, NewFolderTakesFirstFreeDirectoryAndStartsWithAReply) {
    Put("index.sub", "FOLDER_1?One\r\nFOLDER_2?Two\r\n");
    Put("1/index.sub", "");
    Put("2/index.sub", "");
    Put("3.rep", "");
    Load();
    TRep* folder = fakes::Made(list.AddNewFolder(Named("Two")));
    EXPECT_EQ(folder->FolderId, "3");
    EXPECT_EQ(folder->Node->Parent(), nullptr);
    EXPECT_EQ(folder->Node->ChildCount(), 1u);
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?One\r\nFOLDER_2?Two\r\nFOLDER_3?New Folder\r\n");
    EXPECT_EQ(Get("3/index.sub"), "REPLY_1?New Reply\r\n");
    EXPECT_EQ(Get("3/1.rep"), "\r\n\r\n");
    // A sub-folder goes into the folder that holds the selection.
    TRep* inner = fakes::Made(list.AddNewFolder(list.At(list.Count() - 1)));
    EXPECT_EQ(inner->FullPath(), P("3/1"));
    EXPECT_EQ(Get("3/index.sub"), "REPLY_1?New Reply\r\nFOLDER_1?New Folder\r\n");
}

TEST_F(DiskFixture, FailedAddLeavesNoHalfAddedItem) {
    Put("index.sub", "REPLY_2?Two\r\n");
    Put("2.rep", "\r\n\r\n");
    Load();
    BlockWritesTo(temp.Path() / "index.sub");
    EXPECT_TRUE(fakes::Refused(list.AddNewReply(nullptr)));
    EXPECT_TRUE(fakes::Refused(list.AddNewFolder(nullptr)));
    EXPECT_FALSE(Exists("1.rep"));
    EXPECT_FALSE(Exists("1"));
    EXPECT_EQ(Get("index.sub"), "REPLY_2?Two\r\n");
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(DiskFixture, AddWithoutAnIndexFails) {
    EXPECT_TRUE(fakes::Refused(list.AddNewReply(nullptr)));
    EXPECT_FALSE(Exists("1.rep"));
}

TEST_F(DiskFixture, FreeNumbersSkipAnythingInTheWay) {
    fs::create_directory(temp.Path() / "1.rep");
    Put("2.rep", "");
    fs::create_directory(temp.Path() / "1");
    Put("2", "a file where a folder would go");
    EXPECT_EQ(NextFreeReplyId(root), "3");
    EXPECT_EQ(NextFreeFolderId(root), "3");
}

TEST(AtomicWrite, FailureLeavesTheOldFileWhole) {
    fakes::TempDir temp;
    temp.Put("target", "old");
    const std::string target = (temp.Path() / "target").string();
    EXPECT_TRUE(WriteFileAtomic(target, "new").ok);
    EXPECT_EQ(temp.Get("target"), "new");
    // Into a folder that is not there, or over a directory: refused, nothing left behind.
    const WriteResult missing = WriteFileAtomic((temp.Path() / "no" / "x").string(), "y");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find((temp.Path() / "no" / "x").string()), std::string::npos);
    fs::create_directory(temp.Path() / "dir");
    EXPECT_FALSE(WriteFileAtomic((temp.Path() / "dir").string(), "y").ok);
    EXPECT_TRUE(fs::is_directory(temp.Path() / "dir"));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(temp.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2u); // target and dir: no temporary files remain
}

TEST(AtomicWrite, ReadRefusesFilesOverTheLimit) {
    fakes::TempDir temp;
    temp.Put("f", "12345");
    std::string out;
    const std::string f = (temp.Path() / "f").string();
    EXPECT_EQ(ReadFileBytes(f, out, 4), ReadStatus::TooLarge);
    EXPECT_EQ(ReadFileBytes(f, out, 5), ReadStatus::Ok);
    EXPECT_EQ(out, "12345");
    EXPECT_EQ(ReadFileBytes(temp.Root(), out, 5), ReadStatus::CannotOpen);
}

} // namespace
} // namespace tw
