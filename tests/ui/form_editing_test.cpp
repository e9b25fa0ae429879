// The main window composed with the editing handlers: commands by menu id, the selection from the
// tree view, idle-time states, and the pending edits written when the window goes.
#include "fakes/form_harness.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tw {
namespace {

class FormEditing : public testing::FormTest {
protected:
    FormEditing() {
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\n");
        temp.Put("Replies/1.rep", "\r\n\r\n{\\rtf1 Thanks}\r\n");
    }
};

TEST_F(FormEditing, CommandsSelectionStatesAndTheLastCommit) {
    form.FormCreate();
    ASSERT_NE(events.editing, nullptr);

    form.NavigationChange(library.Tree().FirstNode());
    EXPECT_EQ(bar.name, "Thanks");
    EXPECT_EQ(editor.lines, std::vector<std::string>{"{\\rtf1 Thanks}"});
    form.ActionMainFormUpdate();
    EXPECT_TRUE(states.last.navDelete);
    EXPECT_FALSE(states.last.editorForceSave);

    EXPECT_TRUE(form.ExecuteCommand(MainCommand::NavAddReply));
    EXPECT_EQ(temp.Get("Replies/index.sub"), "REPLY_1?Thanks\r\nREPLY_2?New Reply\r\n");
    EXPECT_EQ(temp.Get("Replies/2.rep"), "\r\n\r\n");

    // Pending edits are written when the window goes.
    editor.Type("{\\rtf1 Last words}");
    form.FormDestroy();
    EXPECT_EQ(temp.Get("Replies/2.rep"), "\r\n\r\n{\\rtf1 Last words}\r\n");
    EXPECT_EQ(events.editing, nullptr) << "the handlers are disconnected before the library goes";
    EXPECT_FALSE(Logged("error report"));
}

TEST_F(FormEditing, AFailedCommandShowsTheStandardErrorReport) {
    form.FormCreate();
    form.ActionMainFormUpdate();
    std::filesystem::remove(temp.Path() / "Replies" / "index.sub");
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::NavAddFolder));
    EXPECT_TRUE(Logged("error report: File \""));
    EXPECT_FALSE(temp.Exists("Replies/1"));
    form.FormDestroy();
}

TEST_F(FormEditing, ACommandActsOnlyWhenTheLastRefreshEnabledIt) {
    form.FormCreate();
    const std::string index = temp.Get("Replies/index.sub");
    const std::string reply = temp.Get("Replies/1.rep");
    // Before the first idle-time refresh nothing of the library is available.
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::NavAddReply));
    EXPECT_EQ(temp.Get("Replies/index.sub"), index);

    form.NavigationChange(library.Tree().FirstNode());
    form.ActionMainFormUpdate(); // Save All off: nothing edited yet
    editor.Type("{\\rtf1 Edited}");
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::EditorForceSave));
    EXPECT_EQ(temp.Get("Replies/1.rep"), reply);

    form.ActionMainFormUpdate();
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::EditorForceSave));
    EXPECT_EQ(temp.Get("Replies/1.rep"), "\r\n\r\n{\\rtf1 Edited}\r\n");
    // A command without an action state is always available.
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::About));
    EXPECT_TRUE(Logged("about box"));
    form.FormDestroy();
}

TEST_F(FormEditing, LeavingTheApplicationWritesPendingEditsAndWatchesInput) {
    form.FormCreate();
    form.NavigationChange(library.Tree().FirstNode());
    form.Delivery().TypedWord = "thx";
    editor.Type("{\\rtf1 Thanks a lot}");

    form.ApplicationEventsDeactivate();
    EXPECT_EQ(temp.Get("Replies/1.rep"), "\r\n\r\n{\\rtf1 Thanks a lot}\r\n");
    EXPECT_FALSE(Flags().ContentModified);
    EXPECT_TRUE(form.Delivery().WatchingInput);

    form.ApplicationEventsActivate();
    EXPECT_FALSE(form.Delivery().WatchingInput);
    EXPECT_EQ(form.Delivery().TypedWord, "thx");

    // A write that fails is reported and the program goes on.
    editor.Type("{\\rtf1 Gone}");
    std::filesystem::remove_all(temp.Path() / "Replies");
    form.ApplicationEventsDeactivate();
    EXPECT_TRUE(Logged("error report: "));
    EXPECT_TRUE(form.Delivery().WatchingInput);
    form.FormDestroy();
}

} // namespace
} // namespace tw
