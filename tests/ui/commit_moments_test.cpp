// Every moment that writes the selected reply's pending edits, failed writes, and the story of a
// library built in the window and found again after a restart.
#include "ui/editing_fakes.h"

#include <filesystem>
#include <functional>
#include <unistd.h>

namespace tw::fakes {
namespace {

const std::string kReply = "m\r\n\r\n{\\rtf1 old}\r\n";

class CommitMoments : public EditingStory {
protected:
    void SetUp() override {
        Library({{"index.sub", "REPLY_1?First\r\nREPLY_2?Second\r\nFOLDER_1?Folder\r\n"},
                 {"1.rep", kReply},
                 {"2.rep", "\r\n\r\n\r\n"},
                 {"1/index.sub", "REPLY_1?Inside\r\n"},
                 {"1/1.rep", "\r\n\r\n"}});
    }
    // Makes the next atomic write of the file fail: its temporary name is taken.
    std::filesystem::path BlockWritesTo(const std::string& relative) {
        const auto blocker = temp.Path() / (relative + ".~tw" + std::to_string(::getpid()));
        std::filesystem::create_directory(blocker);
        return blocker;
    }
};

TEST_F(CommitMoments, EachMomentWritesNameAndContent) {
    struct Moment {
        const char* name;
        std::function<void(LibraryEditing&, CommitMoments&)> run;
    };
    const Moment moments[] = {
        {"EditNameEnter", [](LibraryEditing& e, CommitMoments&) { e.EditNameEnter(); }},
        {"EditMacroEnter", [](LibraryEditing& e, CommitMoments&) { e.EditMacroEnter(); }},
        {"ComboBoxKeyEnter", [](LibraryEditing& e, CommitMoments&) { e.ComboBoxKeyEnter(); }},
        {"EditorEnter", [](LibraryEditing& e, CommitMoments&) { e.EditorEnter(); }},
        {"FontNameEnter", [](LibraryEditing& e, CommitMoments&) { e.FontNameEnter(); }},
        {"FontSizeEnter", [](LibraryEditing& e, CommitMoments&) { e.FontSizeEnter(); }},
        {"ApplicationDeactivate",
         [](LibraryEditing& e, CommitMoments&) { e.ApplicationDeactivate(); }},
        {"EditorForceSaveExecute",
         [](LibraryEditing& e, CommitMoments&) { e.EditorForceSaveExecute(); }},
        {"EditNameKeyPress", [](LibraryEditing& e, CommitMoments&) { e.EditNameKeyPress('\r'); }},
        {"selection change", [](LibraryEditing&, CommitMoments& s) { s.Select("Second"); }},
        {"CommitCurrentReply",
         [](LibraryEditing& e, CommitMoments&) {
             EXPECT_TRUE(e.CommitCurrentReply(CommitMoment::Save).Ok());
         }},
    };
    int round = 0;
    for (const Moment& m : moments) {
        temp.Put("index.sub", "REPLY_1?First\r\nREPLY_2?Second\r\nFOLDER_1?Folder\r\n");
        tree.SetCaption(Node(round == 0 ? "First" : "Name " + std::to_string(round - 1)), "First");
        Select("First");
        const std::string body = "{\\rtf1 new " + std::to_string(round) + "}";
        const std::string name = "Name " + std::to_string(round++);
        TypeName(name);
        editor.Type(body);
        m.run(editing, *this);
        EXPECT_EQ(Get("1.rep"), "m\r\n\r\n" + body + "\r\n") << m.name;
        EXPECT_EQ(Get("index.sub"), "REPLY_1?" + name + "\r\nREPLY_2?Second\r\nFOLDER_1?Folder\r\n")
            << m.name;
        EXPECT_TRUE(errors.reports.empty()) << m.name;
    }
}

TEST_F(CommitMoments, NothingPendingWritesNothing) {
    Select("First");
    temp.Put("1.rep", "changed by hand\r\n\r\n");
    editing.EditorEnter();
    editing.EditorForceSaveExecute();
    Select("Second");
    EXPECT_EQ(Get("1.rep"), "changed by hand\r\n\r\n");
}

TEST_F(CommitMoments, AFolderCommitsOnlyItsName) {
    Select("Folder");
    TypeName("Renamed");
    bar.SetMacroText("ignored");
    editing.EditorForceSaveExecute();
    EXPECT_EQ(Get("index.sub"), "REPLY_1?First\r\nREPLY_2?Second\r\nFOLDER_1?Renamed\r\n");
    EXPECT_EQ(list.FindMacro("ignored"), -1);
}

TEST_F(CommitMoments, AFailedWriteIsReportedKeepsTheOldFileAndIsTriedAgain) {
    Select("First");
    editor.Type("{\\rtf1 new}");
    const auto blocker = BlockWritesTo("1.rep");
    EXPECT_FALSE(editing.EditorForceSaveExecute());
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_NE(errors.reports[0].find("1.rep"), std::string::npos) << errors.reports[0];
    EXPECT_EQ(Get("1.rep"), kReply);
    EXPECT_TRUE(editing.Flags().ContentModified);

    // A focus change reports it too, and goes on.
    editing.EditorEnter();
    EXPECT_EQ(errors.reports.size(), 2u);
    EXPECT_EQ(Get("1.rep"), kReply);

    std::filesystem::remove(blocker);
    EXPECT_TRUE(editing.EditorForceSaveExecute());
    EXPECT_EQ(Get("1.rep"), "m\r\n\r\n{\\rtf1 new}\r\n");
    EXPECT_FALSE(editing.Flags().ContentModified);
}

TEST_F(CommitMoments, ANameTheCodePageCannotHoldIsRefusedAndTheTextStillWritten) {
    Select("First");
    TypeName("typed");
    bar.unstorable = true;
    editor.Type("{\\rtf1 new}");
    EXPECT_FALSE(editing.EditorForceSaveExecute());
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_NE(errors.reports[0].find("cannot store"), std::string::npos) << errors.reports[0];
    EXPECT_EQ(Get("index.sub"), "REPLY_1?First\r\nREPLY_2?Second\r\nFOLDER_1?Folder\r\n");
    EXPECT_EQ(Get("1.rep"), "m\r\n\r\n{\\rtf1 new}\r\n");
    EXPECT_EQ(bar.name, "First");
    EXPECT_FALSE(editing.Flags().NameModified);
}

TEST_F(CommitMoments, AFailedRenameKeepsTheNamePending) {
    Select("Second");
    TypeName("Other");
    const auto blocker = BlockWritesTo("index.sub");
    EXPECT_FALSE(editing.EditNameKeyPress('\r'));
    EXPECT_EQ(errors.reports.size(), 1u);
    EXPECT_TRUE(editing.Flags().NameModified);
    std::filesystem::remove(blocker);
    editing.EditNameKeyPress('\r');
    EXPECT_EQ(Get("index.sub"), "REPLY_1?First\r\nREPLY_2?Other\r\nFOLDER_1?Folder\r\n");
}

TEST_F(CommitMoments, AFailedCommitDoesNotStopTheSelectionChange) {
    Select("First");
    editor.Type("{\\rtf1 new}");
    const auto blocker = BlockWritesTo("1.rep");
    Select("Second");
    EXPECT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(tree.Selected(), Node("Second"));
    // The edit lives on in the model; choosing the reply again shows it.
    std::filesystem::remove(blocker);
    Select("First");
    EXPECT_EQ(editor.lines, std::vector<std::string>{"{\\rtf1 new}"});
}

TEST_F(CommitMoments, ALibraryBuiltInTheWindowLoadsAgainAsItWasLeft) {
    Select("Second");
    ASSERT_TRUE(editing.NavAddReplyExecute());
    editing.NavigationEdited(tree.Selected(), "Greeting");
    TypeMacro("hello(Name)");
    bar.hotKey = true;
    bar.shift = false;
    bar.key = KeyTableIndexOf('G');
    editing.ComboBoxKeyChange();
    editor.Type("{\\rtf1 Hello Name}");
    editing.EditorForceSaveExecute();
    ASSERT_TRUE(editing.NavAddFolderExecute());
    editing.NavigationEdited(tree.Selected(), "Thanks");
    editor.Type("{\\rtf1 Thank you}");
    editing.ApplicationDeactivate();
    EXPECT_TRUE(errors.reports.empty());

    ReplyTree again;
    ListModel hotKeys, macros;
    RecordingMessageBoxes quiet;
    TRepList reloaded(again, hotKeys, macros, &quiet);
    reloaded.SetLibraryRoot(temp.Root());
    LoadReplyLibrary(reloaded);
    EXPECT_TRUE(quiet.shown.empty());
    std::vector<std::string> captions;
    for (TreeNode* n = again.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
        captions.push_back(std::string(n->Level(), ' ') + n->Caption());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"First", "Second", "Folder", " Inside",
                                                  "Greeting", "Thanks Folder", " Thanks"}));
    const int macro = reloaded.FindMacro("hello(Ann)");
    ASSERT_GE(macro, 0);
    EXPECT_EQ(reloaded.BodyOf(reloaded.MacroRep(macro)),
              std::vector<std::string>{"{\\rtf1 Hello Name}"});
    EXPECT_EQ(reloaded.HotKeyRep(reloaded.FindHotKey("0G")), reloaded.MacroRep(macro));
    EXPECT_EQ(Get("3.rep"), "hello(Name)\r\n0G\r\n{\\rtf1 Hello Name}\r\n");
    EXPECT_EQ(Get("2/1.rep"), "\r\n\r\n{\\rtf1 Thank you}\r\n");
    EXPECT_EQ(Get("index.sub"), "REPLY_1?First\r\nREPLY_2?Second\r\nFOLDER_1?Folder\r\n"
                                "REPLY_3?Greeting\r\nFOLDER_2?Thanks Folder\r\n");
}

} // namespace
} // namespace tw::fakes
