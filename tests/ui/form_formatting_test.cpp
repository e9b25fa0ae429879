// The main window composed with the formatting toolbar and the edit commands: what start-up does
// to the editor and the toolbar, and when an edit command reaches the editor.
#include "fakes/form_harness.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class FormFormatting : public testing::FormTest {
protected:
    FormFormatting() {
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\nFOLDER_1?Box\r\n");
        temp.Put("Replies/1.rep", "\r\n\r\n{\\rtf1 Thanks}\r\n");
        temp.Put("Replies/1/index.sub", "REPLY_1?Inner\r\n");
        temp.Put("Replies/1/1.rep", "\r\n\r\n{\\rtf1 Inner}\r\n");
    }
};

TEST_F(FormFormatting, StartUpSpacesTheParagraphFillsTheListsAndShowsTheCaret) {
    toolbar.screenFonts = {"Verdana", "Arial"};
    formats.selection.bold = true;
    formats.selection.faceName = "Verdana";
    formats.alignment = ParagraphAlignment::Right;
    // The box reports its refreshed text to the connected handlers, as the real one does.
    toolbar.onSizeChange = [this](const std::string& t) {
        if (events.formatting)
            events.formatting->FontSizeChange(t);
    };
    form.FormCreate();
    EXPECT_EQ(formats.spaceBefore, 12);
    EXPECT_EQ(toolbar.fonts, (std::vector<std::string>{"Arial", "Verdana"}));
    EXPECT_TRUE(toolbar.bold);
    EXPECT_EQ(toolbar.name, "Verdana");
    EXPECT_EQ(toolbar.down, ParagraphAlignment::Right);
    // Another reply in the editor: its attributes are shown.
    formats.selection.bold = false;
    formats.selection.faceName = "Arial";
    form.NavigationChange(library.Tree().FirstNode());
    EXPECT_FALSE(toolbar.bold);
    EXPECT_EQ(toolbar.name, "Arial");
    EXPECT_TRUE(formats.writes.empty()); // showing the caret's attributes changed nothing
    form.FormDestroy();
}

TEST_F(FormFormatting, EditCommandsReachTheEditorOnlyWhileAvailable) {
    struct Case {
        const char* node;
        bool focused;
        int selection;
        bool canPaste, canUndo, canRedo;
        MainCommand command;
        std::vector<std::string> ran;
    };
    using C = MainCommand;
    const Case cases[] = {
        {"Thanks", true, 3, false, false, false, C::EditorCopy, {"copy"}},
        {"Thanks", true, 0, false, false, false, C::EditorCut, {}},
        {"Thanks", false, 3, true, true, true, C::EditorCut, {}}, // the focus is elsewhere
        {"Thanks", true, 0, true, false, false, C::EditorPaste, {"paste"}},
        {"Thanks", true, 0, false, true, false, C::EditorUndo, {"undo"}},
        {"Thanks", true, 0, false, true, false, C::EditorRedo, {}},
        {"Thanks", true, 0, false, false, true, C::EditorRedo, {"redo"}},
        {"Thanks", true, 0, false, false, false, C::EditorSelectAll, {"select all"}},
        {"Thanks", false, 0, false, false, false, C::EditorSelectAll, {}},
        {"Box", true, 3, true, true, true, C::EditorCopy, {}}, // a folder has no text
    };
    form.FormCreate();
    for (const Case& c : cases) {
        form.NavigationChange(Node(c.node));
        editor.focused = c.focused;
        editor.selectionLength = c.selection;
        editor.canPaste = c.canPaste;
        editor.canUndo = c.canUndo;
        editor.canRedo = c.canRedo;
        form.ActionMainFormUpdate();
        commands.ran.clear();
        EXPECT_TRUE(form.ExecuteCommand(c.command));
        EXPECT_EQ(commands.ran, c.ran) << c.node << " " << static_cast<int>(c.command);
    }
    form.FormDestroy();
}

TEST_F(FormFormatting, AFormatChangeAloneIsAnEditThatLeavingWrites) {
    form.FormCreate();
    form.NavigationChange(library.Tree().FirstNode());
    form.ActionMainFormUpdate();
    EXPECT_FALSE(states.last.editorForceSave);
    // The control reports no content change for it; the reply must still be written.
    editor.lines = {"{\\rtf1 \\b Thanks}"};
    Formatting().BoldButClick(true);
    form.ActionMainFormUpdate();
    EXPECT_TRUE(states.last.editorForceSave);
    form.ApplicationEventsDeactivate();
    EXPECT_EQ(temp.Get("Replies/1.rep"), "\r\n\r\n{\\rtf1 \\b Thanks}\r\n");
    form.FormDestroy();
}

} // namespace
} // namespace tw
