// Reading a library folder: index lines, reply files, and what a damaged library does.
#include "disk_fixture.h"
#include "fakes/result_checks.h"

#include <filesystem>

namespace tw {
namespace {

using testing::DiskFixture;

TEST_F(DiskFixture, LoadsFoldersDepthFirstInIndexOrder) {
    Put("index.sub", "FOLDER_2?Customers\r\nREPLY_7?Hello?world\r\nreply_3?Lower kind\r\n");
    Put("2/index.sub", "REPLY_1?Thanks\r\nFOLDER_1?Inner");
    Put("2/1.rep", "thx\r\n1q\r\n{\\rtf1 hi}\r\n");
    Put("2/1/index.sub", "");
    Put("7.rep", "\r\n0A\r\n");
    Put("3.rep", "\r\n\r\n");
    Load();
    EXPECT_EQ(Shape(), "Customers /2\n"
                       ".Thanks #1.rep m=thx k=1q\n"
                       ".Inner /1\n"
                       "Hello?world #7.rep k=0A\n"
                       "Lower kind #3.rep\n");
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(list.BodyOf(Named("Thanks")), (std::vector<std::string>{"{\\rtf1 hi}"}));
    EXPECT_TRUE(list.BodyOf(Named("Lower kind")).empty());
    EXPECT_EQ(Texts(hotKeyBox),
              (std::vector<std::string>{"<CTRL>+<ALT>+A", "<CTRL>+<ALT>+<SHIFT>+Q"}));
    EXPECT_EQ(Texts(macroBox), (std::vector<std::string>{"thx"}));
}

TEST_F(DiskFixture, WholeLoadIsOneTreeUpdateAndOneListRebuild) {
    Put("index.sub", "FOLDER_1?F\r\nREPLY_1?R\r\n");
    Put("1/index.sub", "REPLY_1?Inner\r\n");
    Put("1/1.rep", "in\r\n0I\r\n");
    Put("1.rep", "out\r\n\r\n");
    fakes::RecordingTreeObserver treeEvents;
    tree.SetObserver(&treeEvents);
    Load();
    EXPECT_EQ(treeEvents.events,
              (std::vector<std::string>{"begin", "insert F", "insert Inner", "insert R", "end"}));
    EXPECT_EQ(macroEvents.events, (std::vector<std::string>{"reset 2"}));
    EXPECT_EQ(hotKeyEvents.events, (std::vector<std::string>{"reset 1"}));
    tree.SetObserver(nullptr);
}

TEST_F(DiskFixture, SkipsMalformedAndHostileLinesSilently) {
    Put("index.sub", "REPLY_1?One\r\n"
                     "\r\n"
                     "NOTE_1?x\r\n"
                     "no underscore\r\n"
                     "FOLDER_?empty id\r\n"
                     "FOLDER_\r\n"
                     "FOLDER_..?up\r\n"
                     "REPLY_../../etc/passwd?escape\r\n"
                     "REPLY_..\\..\\x?escape\r\n"
                     "FOLDER_/tmp?absolute\r\n"
                     "REPLY_0?zero\r\n"
                     "REPLY_-1?negative\r\n"
                     "REPLY_1234567890?too long\r\n"
                     "REPLY_2?Two\r\n");
    Put("1.rep", "\r\n\r\n");
    Put("2.rep", "\r\n\r\n");
    Put("0.rep", "\r\n\r\n");
    Load();
    EXPECT_EQ(Shape(), "One #1.rep\nTwo #2.rep\n");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DiskFixture, ReportsUnreadableFilesInOneMessageAndGoesOn) {
    Put("index.sub", "FOLDER_1?No index\r\nREPLY_5?Missing\r\nREPLY_6?Short\r\nREPLY_7?Fine");
    Put("1/keep.txt", "");
    Put("6.rep", "only a macro line\r\n");
    Put("7.rep", "\r\n123\r\n");
    Load();
    EXPECT_EQ(Shape(), "No index /1\nFine #7.rep\n");
    EXPECT_EQ(boxes.Errors(),
              std::vector<std::string>{
                  "The library was loaded with 3 problems; the items concerned are left out.\n"
                  "File \"" +
                  P("1/index.sub") +
                  "\" can't be opened.\n"
                  "File \"" +
                  P("5.rep") +
                  "\" can't be opened.\n"
                  "File \"" +
                  P("6.rep") + "\" has incorrect structure."});
    EXPECT_EQ(list.HotKeyCount(), 0); // a three-character hot-key line is ignored
}

TEST_F(DiskFixture, ThirtyBadFilesGiveOneMessageWithTheFirstFive) {
    std::string index;
    for (int id = 1; id <= 31; ++id) {
        index += "REPLY_" + std::to_string(id) + "?R" + std::to_string(id) + "\r\n";
        Put(std::to_string(id) + ".rep", id == 31 ? "ok\r\n\r\n" : "one line\r\n");
    }
    Put("index.sub", index);
    Load();
    EXPECT_EQ(Shape(), "R31 #31.rep m=ok\n");
    ASSERT_EQ(boxes.shown.size(), 1u);
    std::string expected =
        "The library was loaded with 30 problems; the items concerned are left out.";
    for (int id = 1; id <= 5; ++id) {
        expected += "\nFile \"" + P(std::to_string(id) + ".rep") + "\" has incorrect structure.";
    }
    EXPECT_EQ(boxes.Errors().front(), expected + "\n... and 25 more.");
}

// The loaded library does not hold the replies' texts: each is read when first asked for, and
// one that cannot be read then is reported and never written back empty.
TEST_F(DiskFixture, AReplysTextIsReadWhenFirstAskedFor) {
    Put("index.sub", "REPLY_1?Kept\r\nREPLY_2?Gone\r\nREPLY_3?Unread\r\n");
    Put("3.rep", "\r\n0A\r\n{\\rtf1\r\nunread}\r\n");
    Put("1.rep", "m1\r\n\r\nold text\r\n");
    Put("2.rep", "m2\r\n\r\ntext\r\n");
    Load();
    Put("1.rep", "m1\r\n\r\nnew text\r\n");
    std::filesystem::remove(P("2.rep"));
    EXPECT_EQ(list.BodyOf(Named("Kept")), std::vector<std::string>{"new text"});
    Put("1.rep", "m1\r\n\r\nchanged again\r\n");
    EXPECT_EQ(list.BodyOf(Named("Kept")), std::vector<std::string>{"new text"}) << "read once";
    EXPECT_TRUE(list.BodyOf(Named("Gone")).empty());
    EXPECT_EQ(boxes.Errors(),
              std::vector<std::string>{"File \"" + P("2.rep") + "\" can't be opened."});
    EXPECT_TRUE(fakes::Refused(list.SaveReply(Named("Gone"))));
    EXPECT_FALSE(Exists("2.rep")) << "nothing written for a text never read";
    Put("2.rep", "m2\r\n\r\nback\r\n");
    EXPECT_EQ(list.BodyOf(Named("Gone")), std::vector<std::string>{"back"}) << "read again";
    list.SetMacro(Named("Gone"), "m3");
    EXPECT_TRUE(fakes::Succeeded(list.SaveReply(Named("Gone"))));
    EXPECT_EQ(Get("2.rep"), "m3\r\n\r\nback\r\n");
    list.SetMacro(Named("Unread"), "m4"); // a header changed on a reply never shown
    EXPECT_TRUE(fakes::Succeeded(list.SaveReply(Named("Unread"))));
    EXPECT_EQ(Get("3.rep"), "m4\r\n0A\r\n{\\rtf1\r\nunread}\r\n");
}

TEST_F(DiskFixture, MissingRootGivesOneMessageAndEmptyTree) {
    list.SetLibraryRoot(root + "Replies");
    Load();
    EXPECT_TRUE(tree.Empty());
    EXPECT_EQ(boxes.Errors(), (std::vector<std::string>{"File \"" + P("Replies/index.sub") +
                                                        "\" can't be opened."}));
}

TEST_F(DiskFixture, EmptyRootIndexGivesEmptyTreeWithoutMessage) {
    Put("index.sub", "");
    Load();
    EXPECT_TRUE(tree.Empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DiskFixture, FirstLoadedReplyKeepsADisputedMacroOrHotKey) {
    Put("index.sub", "FOLDER_1?F\r\nREPLY_1?Second\r\n");
    Put("1/index.sub", "REPLY_1?First\r\n");
    Put("1/1.rep", "sig\r\n0S\r\n");
    Put("1.rep", "Sig\r\n0s\r\n");
    Load();
    EXPECT_EQ(Shape(), "F /1\n.First #1.rep m=sig k=0S\nSecond #1.rep\n");
}

TEST_F(DiskFixture, ReloadReplacesTheWholeModel) {
    Put("index.sub", "REPLY_1?One\r\n");
    Put("1.rep", "one\r\n\r\n");
    Load();
    Put("index.sub", "REPLY_2?Two\r\n");
    Put("2.rep", "two\r\n\r\n");
    Load();
    EXPECT_EQ(Shape(), "Two #2.rep m=two\n");
    EXPECT_EQ(Texts(macroBox), (std::vector<std::string>{"two"}));
    ExpectTreeAndListAgree();
}

TEST_F(DiskFixture, FolderReachedTwiceIsLoadedOnce) {
    // A second line for the same folder is skipped; a link back to a folder already loaded
    // stays an empty folder with a message.
    Put("index.sub", "FOLDER_1?Loop\r\nFOLDER_1?Again\r\nREPLY_1?After\r\nreply_1?Twin\r\n");
    Put("1/index.sub", "REPLY_1?Inside\r\nFOLDER_2?Link to root\r\n");
    Put("1/1.rep", "in\r\n\r\n");
    Put("1.rep", "\r\n\r\n");
    if (!tw::fakes::TryLinkDirectory(temp.Path(), temp.Path() / "1" / "2")) {
        GTEST_SKIP() << "this file system cannot create directory links";
    }
    Load();
    EXPECT_EQ(Shape(), "Loop /1\n.Inside #1.rep m=in\n.Link to root /2\nAfter #1.rep\n");
    EXPECT_EQ(boxes.Errors(),
              (std::vector<std::string>{"File \"" + P("1/2/index.sub") + "\" can't be opened."}));
}

TEST_F(DiskFixture, DeepNestingStopsAtTheBound) {
    std::string dir;
    for (int i = 0; i < TRepList::kMaxFolderDepth + 5; ++i) {
        Put(dir + "index.sub", "FOLDER_1?level" + std::to_string(i) + "\r\n");
        dir += "1/";
    }
    Load();
    EXPECT_EQ(static_cast<int>(tree.Count()), TRepList::kMaxFolderDepth + 1);
    EXPECT_EQ(boxes.Errors().size(), 1u);
}

TEST_F(DiskFixture, HugeAndGarbageFilesAreRefusedOrLoadedWithoutHarm) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i) {
        garbage += static_cast<char>((i * 7919) % 256);
    }
    Put("index.sub", "REPLY_1?Huge\r\nREPLY_2?Garbage\r\n" + garbage + "\r\nREPLY_3?Fine\r\n");
    Put("2.rep", garbage);
    Put("3.rep", "\r\n\r\n");
    {
        // Sparse: 100 MB without writing them.
        std::filesystem::resize_file((Put("1.rep", ""), temp.Path() / "1.rep"), 100u << 20);
    }
    Load();
    EXPECT_EQ(boxes.Errors().front(), "File \"" + P("1.rep") + "\" can't be opened.");
    EXPECT_EQ(Named("Fine")->FileName, "3.rep");
    ExpectTreeAndListAgree();
}

TEST_F(DiskFixture, IndexThatIsADirectoryCannotBeOpened) {
    std::filesystem::create_directories(temp.Path() / "index.sub");
    Load();
    EXPECT_EQ(boxes.Errors().size(), 1u);
    EXPECT_TRUE(tree.Empty());
}

} // namespace
} // namespace tw
