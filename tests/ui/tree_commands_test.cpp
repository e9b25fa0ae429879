// User stories of the tree commands against a library in a temporary folder.
#include "ui/editing_fakes.h"

namespace tw::fakes {
namespace {

const std::string kEmptyReply = "\r\n\r\n";

class TreeCommands : public EditingStory {
protected:
    // Root: folder Letters (1) with Thanks (1.rep) and folder Inner (2) with Deep (1.rep);
    // top-level reply Top (1.rep) with macro top and hot key 0T.
    void Sample() {
        Library({{"index.sub", "FOLDER_1?Letters\r\nREPLY_1?Top\r\n"},
                 {"1.rep", "top\r\n0T\r\n{\\rtf1 top}\r\n"},
                 {"1/index.sub", "REPLY_1?Thanks\r\nFOLDER_2?Inner\r\n"},
                 {"1/1.rep", "thx\r\n1H\r\n{\\rtf1 thanks}\r\n"},
                 {"1/2/index.sub", "REPLY_1?Deep\r\n"},
                 {"1/2/1.rep", "\r\n\r\n{\\rtf1 deep}\r\n"}});
    }
};

TEST_F(TreeCommands, AddReplyWithNothingSelectedAppendsToTheRootAndOpensItsCaption) {
    Library({{"index.sub", ""}});
    ASSERT_TRUE(editing.NavAddReplyExecute());
    EXPECT_EQ(Get("index.sub"), "REPLY_1?New Reply\r\n");
    EXPECT_EQ(Get("1.rep"), kEmptyReply);
    TreeNode* added = Node("New Reply");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(tree.Selected(), added);
    EXPECT_EQ(view.edited, std::vector<TreeNode*>{added});
    EXPECT_EQ(bar.name, "New Reply");
    EXPECT_FALSE(editing.Flags().Any());
}

TEST_F(TreeCommands, AddReplyWithAFolderSelectedPutsItBesideTheFolderUnderTheFreeNumber) {
    Sample();
    temp.Put("3.rep", kEmptyReply); // 1.rep and 3.rep taken: the new one is 2.rep
    Select("Inner");
    ASSERT_TRUE(editing.NavAddReplyExecute());
    EXPECT_EQ(Get("1/index.sub"), "REPLY_1?Thanks\r\nFOLDER_2?Inner\r\nREPLY_2?New Reply\r\n");
    EXPECT_EQ(Get("1/2.rep"), kEmptyReply);
    EXPECT_EQ(tree.Selected()->Parent(), Node("Letters"));
}

TEST_F(TreeCommands, NewFolderTakesTheNameTypedForItsFirstReply) {
    Sample();
    ASSERT_TRUE(editing.NavAddFolderExecute()); // nothing selected: top level, directory 2
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?Letters\r\nREPLY_1?Top\r\nFOLDER_2?New Folder\r\n");
    EXPECT_EQ(Get("2/index.sub"), "REPLY_1?New Reply\r\n");
    EXPECT_EQ(Get("2/1.rep"), kEmptyReply);
    TreeNode* reply = tree.Selected();
    ASSERT_NE(reply, nullptr);
    EXPECT_EQ(reply->Caption(), "New Reply");
    EXPECT_EQ(reply->Parent()->Caption(), "New Folder");
    EXPECT_EQ(view.edited, std::vector<TreeNode*>{reply});

    EXPECT_TRUE(editing.NavigationEdited(reply, "Prices"));
    EXPECT_EQ(Get("2/index.sub"), "REPLY_1?Prices\r\n");
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?Letters\r\nREPLY_1?Top\r\nFOLDER_2?Prices Folder\r\n");
    EXPECT_EQ(bar.name, "Prices");
    EXPECT_FALSE(editing.Flags().NameModified);
}

TEST_F(TreeCommands, EmptyInPlaceNameChangesNothing) {
    Sample();
    Select("Top");
    EXPECT_FALSE(editing.NavigationEdited(Node("Top"), ""));
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?Letters\r\nREPLY_1?Top\r\n");
    EXPECT_NE(Node("Top"), nullptr);
    EXPECT_EQ(bar.name, "Top");
}

TEST_F(TreeCommands, DeletingTheOnlyReplyOfFoldersRemovesThemUpToTheTop) {
    Library({{"index.sub", "REPLY_1?Top\r\nFOLDER_1?A\r\n"},
             {"1.rep", kEmptyReply},
             {"1/index.sub", "FOLDER_1?B\r\n"},
             {"1/1/index.sub", "REPLY_1?Only\r\n"},
             {"1/1/1.rep", "only\r\n0O\r\n{\\rtf1 x}\r\n"}});
    Select("Only");
    boxes.answers = {true};
    ASSERT_TRUE(editing.NavDeleteExecute());
    EXPECT_EQ(boxes.shown, (std::vector<RecordingMessageBoxes::Shown>{
                               {"ask", "Do you really want to delete \"Only\" reply?"}}));
    EXPECT_EQ(Get("index.sub"), "REPLY_1?Top\r\n");
    EXPECT_FALSE(Exists("1"));
    EXPECT_EQ(Captions(), std::vector<std::string>{"Top"});
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Macros.Count(), 0);
    EXPECT_EQ(list.HotKeyCount(), 0);
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_TRUE(editor.lines.empty());
}

TEST_F(TreeCommands, DeleteAsksAboutAFolderAndNoKeepsEverything) {
    Sample();
    Select("Letters");
    boxes.answers = {false};
    EXPECT_TRUE(editing.NavDeleteExecute());
    EXPECT_EQ(boxes.shown.at(0).text, "Do you really want to delete \"Letters\" folder?");
    EXPECT_EQ(Get("index.sub"), "FOLDER_1?Letters\r\nREPLY_1?Top\r\n");
    EXPECT_TRUE(Exists("1/2/1.rep"));
    EXPECT_EQ(tree.Selected(), Node("Letters"));
}

TEST_F(TreeCommands, DeletingAReplyWithPendingEditsWritesNothingBack) {
    Sample();
    Select("Thanks");
    TypeName("Renamed");
    TypeMacro("newmacro");
    bar.key = KeyTableIndexOf('Q');
    editor.Type("{\\rtf1 edited}");
    boxes.answers = {true};
    ASSERT_TRUE(editing.NavDeleteExecute());
    EXPECT_FALSE(Exists("1/1.rep"));
    EXPECT_EQ(Get("1/index.sub"), "FOLDER_2?Inner\r\n");
    EXPECT_EQ(list.FindMacro("thx"), -1);
    EXPECT_EQ(list.FindMacro("newmacro"), -1);
    EXPECT_EQ(list.FindHotKey("1H"), -1);
    // Focus coming back to a field afterwards commits nothing of the deleted reply either.
    editing.EditorEnter();
    editing.ApplicationDeactivate();
    EXPECT_FALSE(Exists("1/1.rep"));
    EXPECT_EQ(Get("1/index.sub"), "FOLDER_2?Inner\r\n");
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(TreeCommands, DraggingTheLastChildOutRemovesItsFolder) {
    Sample();
    Select("Deep");
    ASSERT_TRUE(editing.NavigationDragOver(Node("Thanks"), 100, 300, true));
    editing.NavigationDragDrop(Node("Thanks"));
    // Folder Letters holds 1.rep already: Deep comes in as 2.rep, before Thanks.
    EXPECT_EQ(Get("1/index.sub"), "REPLY_2?Deep\r\nREPLY_1?Thanks\r\n");
    EXPECT_EQ(Get("1/2.rep"), "\r\n\r\n{\\rtf1 deep}\r\n");
    EXPECT_FALSE(Exists("1/2"));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Letters", " Deep", " Thanks", "Top"}));
    EXPECT_EQ(tree.Selected(), Node("Deep"));
}

TEST_F(TreeCommands, AFolderCannotGoIntoItsOwnSubtreeAndADropOnItselfDoesNothing) {
    Sample();
    Select("Letters");
    EXPECT_FALSE(editing.NavigationDragOver(Node("Deep"), 100, 300, true));
    EXPECT_FALSE(editing.NavigationDragOver(Node("Top"), 100, 300, false)); // not from the tree
    EXPECT_FALSE(editing.NavigationDragOver(nullptr, 100, 300, true));
    EXPECT_TRUE(editing.NavigationDragOver(Node("Letters"), 100, 300, true));
    const std::string before = Get("index.sub") + Get("1/index.sub") + Get("1/2/index.sub");
    const auto captions = Captions();
    editing.NavigationDragDrop(Node("Deep")); // even without the drag-over's refusal
    editing.NavigationDragDrop(Node("Letters"));
    EXPECT_EQ(Get("index.sub") + Get("1/index.sub") + Get("1/2/index.sub"), before);
    EXPECT_EQ(Captions(), captions);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(TreeCommands, DragNearTheEdgesScrollsByOneLine) {
    Sample();
    Select("Top");
    struct Case {
        int y;
        int scrolled;
    };
    for (const Case c :
         {Case{0, -1}, Case{14, -1}, Case{15, 0}, Case{285, 0}, Case{286, 1}, Case{299, 1}}) {
        view.scrolled = 0;
        editing.NavigationDragOver(Node("Letters"), c.y, 300, true);
        EXPECT_EQ(view.scrolled, c.scrolled) << "y=" << c.y;
    }
}

TEST_F(TreeCommands, ImagesFollowKindAndExpansion) {
    Sample();
    using N = NodeImages;
    EXPECT_EQ(LibraryEditing::NavigationGetImageIndex(Node("Letters"), false), (N{0, 0}));
    EXPECT_EQ(LibraryEditing::NavigationGetImageIndex(Node("Letters"), true), (N{1, 1}));
    EXPECT_EQ(LibraryEditing::NavigationGetImageIndex(Node("Top"), false), (N{2, 3}));
    EXPECT_EQ(LibraryEditing::NavigationGetImageIndex(Node("Top"), true), (N{2, 3}));
}

TEST_F(TreeCommands, SelectingLoadsTheReplyAndMarksNothingModified) {
    Sample();
    Select("Thanks");
    EXPECT_EQ(bar.name, "Thanks");
    EXPECT_EQ(bar.macro, "thx");
    EXPECT_TRUE(bar.hotKey);
    EXPECT_TRUE(bar.shift);
    EXPECT_EQ(bar.KeyChar(), 'H');
    EXPECT_EQ(editor.lines, std::vector<std::string>{"{\\rtf1 thanks}"});
    EXPECT_EQ(macroBox.Selected(), list.MacroIndexOf(Node("Thanks")->Data()));
    EXPECT_EQ(hotKeyBox.Selected(), list.HotKeyIndexOf(Node("Thanks")->Data()));
    EXPECT_FALSE(editing.Flags().Any());

    // A reply without a hot key leaves Shift and the key as they were.
    Select("Deep");
    EXPECT_FALSE(bar.hotKey);
    EXPECT_TRUE(bar.shift);
    EXPECT_EQ(bar.KeyChar(), 'H');
    EXPECT_EQ(bar.macro, "");
    EXPECT_EQ(hotKeyBox.Selected(), -1);

    // A folder clears the editor and both list selections.
    Select("Letters");
    EXPECT_TRUE(editor.lines.empty());
    EXPECT_EQ(bar.name, "Letters");
    EXPECT_EQ(macroBox.Selected(), -1);
    EXPECT_FALSE(editing.Flags().Any());
}

TEST_F(TreeCommands, InCompactModeOrWithoutSelectionTheCommandsAreOff) {
    Sample();
    editing.ActionMainFormUpdate(false, false);
    EXPECT_FALSE(states.last.navAddReply);
    EXPECT_FALSE(states.last.navAddFolder);
    EXPECT_FALSE(states.last.navDelete);
    editing.ActionMainFormUpdate(true, false);
    EXPECT_TRUE(states.last.navAddReply);
    EXPECT_FALSE(states.last.navDelete);
    Select("Top");
    editing.ActionMainFormUpdate(true, false);
    EXPECT_TRUE(states.last.navDelete);
}

} // namespace
} // namespace tw::fakes
