// The idle-time decision of which commands and controls are available.
#include "ui/editing_fakes.h"

namespace tw::fakes {
namespace {

CommandStateInputs Reply() {
    CommandStateInputs in;
    in.selection = SelectionKind::Reply;
    return in;
}

TEST(CommandStates, FollowModeSelectionAndEditor) {
    struct Case {
        const char* name;
        CommandStateInputs in;
        CommandStates expected;
    };
    CommandStateInputs none;
    CommandStateInputs noneSaveOn = none;
    noneSaveOn.forceSaveWas = true;
    CommandStateInputs folder;
    folder.selection = SelectionKind::Folder;
    folder.nameModified = true;
    folder.hotKeyChecked = true; // does not matter for a folder
    CommandStateInputs compactFolder = folder;
    compactFolder.fullMode = false;
    CommandStateInputs reply = Reply();
    reply.hotKeyChecked = true;
    reply.lastActiveWindowAlive = true;
    CommandStateInputs focused = Reply();
    focused.editorFocused = true;
    focused.editorSelectionLength = 1;
    focused.editorCanPaste = true;
    focused.editorCanUndo = true;
    focused.contentModified = true;
    CommandStateInputs unfocused = focused;
    unfocused.editorFocused = false;

    CommandStates offAll;
    offAll.navAddFolder = offAll.navAddReply = true;
    CommandStates offSaveOn = offAll;
    offSaveOn.editorForceSave = true;
    CommandStates folderOn = offAll;
    folderOn.navDelete = folderOn.editorForceSave = folderOn.nameControls = true;
    CommandStates compactFolderOn;
    compactFolderOn.editorForceSave = compactFolderOn.nameControls = true;
    CommandStates replyOn = offAll;
    replyOn.navDelete = replyOn.nameControls = replyOn.macroControls = true;
    replyOn.hotKeyControls = replyOn.editorToolbar = replyOn.editorCopyEntire = true;
    replyOn.editorInLastActive = replyOn.editor = true;
    CommandStates focusedOn = replyOn;
    focusedOn.hotKeyControls = focusedOn.editorInLastActive = false;
    focusedOn.editorForceSave = true;
    focusedOn.editorCopyCut = focusedOn.editorPaste = focusedOn.editorUndo = true;
    focusedOn.editorSelectAll = true;
    CommandStates unfocusedOn = focusedOn;
    unfocusedOn.editorCopyCut = unfocusedOn.editorPaste = unfocusedOn.editorUndo = false;
    unfocusedOn.editorSelectAll = false;

    const Case cases[] = {
        {"nothing selected", none, offAll},
        {"nothing selected keeps Save All", noneSaveOn, offSaveOn},
        {"folder", folder, folderOn},
        {"folder in compact mode", compactFolder, compactFolderOn},
        {"reply", reply, replyOn},
        {"reply, editor focused", focused, focusedOn},
        {"reply, editor not focused", unfocused, unfocusedOn},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ComputeCommandStates(c.in), c.expected) << c.name;
    }
}

TEST(CommandStates, CopyNeedsASelectionOfAtLeastOneCharacter) {
    CommandStateInputs in = Reply();
    in.editorFocused = true;
    EXPECT_FALSE(ComputeCommandStates(in).editorCopyCut);
    EXPECT_TRUE(ComputeCommandStates(in).editorSelectAll);
    in.editorCanRedo = true;
    EXPECT_TRUE(ComputeCommandStates(in).editorRedo);
}

class CommandStateStory : public EditingStory {
protected:
    void SetUp() override {
        Library({{"index.sub", "REPLY_1?One\r\n"}, {"1.rep", "\r\n\r\n{\\rtf1 one}\r\n"}});
    }
};

TEST_F(CommandStateStory, SaveAllIsOffAfterLoadingOnAfterAnEditAndOffAfterSaving) {
    Select("One");
    editing.ActionMainFormUpdate(true, false);
    EXPECT_FALSE(states.last.editorForceSave);
    editor.Type("{\\rtf1 one!}");
    editing.ActionMainFormUpdate(true, false);
    EXPECT_TRUE(states.last.editorForceSave);
    editing.EditorForceSaveExecute();
    editing.ActionMainFormUpdate(true, false);
    EXPECT_FALSE(states.last.editorForceSave);
}

TEST_F(CommandStateStory, UncheckingHotKeyTurnsItsControlsOffBeforeAnythingIsWritten) {
    Select("One");
    bar.hotKey = true;
    editing.ActionMainFormUpdate(true, false);
    EXPECT_TRUE(states.last.hotKeyControls);
    bar.hotKey = false;
    editing.ActionMainFormUpdate(true, false);
    EXPECT_FALSE(states.last.hotKeyControls);
    EXPECT_EQ(Get("1.rep"), "\r\n\r\n{\\rtf1 one}\r\n");
}

TEST_F(CommandStateStory, TheRefreshChangesNoTextNorSelection) {
    Select("One");
    TypeName("Edited");
    const auto before = std::make_tuple(bar.name, bar.macro, editor.lines, tree.Selected());
    editing.ActionMainFormUpdate(true, true);
    EXPECT_EQ(std::make_tuple(bar.name, bar.macro, editor.lines, tree.Selected()), before);
    EXPECT_TRUE(editing.Flags().NameModified);
    EXPECT_EQ(states.applied, 1);
}

} // namespace
} // namespace tw::fakes
