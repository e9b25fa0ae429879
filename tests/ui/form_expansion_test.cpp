// The main window's part in reply expansion: the insertions menu filled at creation, an
// insertion as an ordinary edit that Save All writes, and replacements on the working copy in
// the editor that never reach the library.
#include "expansion/command_expansion.h"
#include "expansion/placeholders.h"
#include "fakes/fake_registry.h"
#include "fakes/temp_dir.h"
#include "ui/editing_fakes.h"
#include "ui/form_fakes.h"
#include "ui/textwright_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace tw {
namespace {

class RecordingMenu : public InsertionsMenu {
public:
    int ItemCount() override { return static_cast<int>(items.size()); }
    void DeleteLastItem() override { items.pop_back(); }
    void AddItem(const InsertionMenuEntry& e) override { items.push_back(e); }
    std::vector<InsertionMenuEntry> items;
};

class FixedClock : public LocalClock {
public:
    // Monday 5 January 2026, 09:05:07.
    LocalDateTime Now() override { return {2026, 1, 5, 9, 5, 7}; }
};

class NoDialog : public FieldValuesDialog {
public:
    std::optional<std::string> Ask(const std::string&) override { return std::nullopt; }
};

class FormExpansion : public ::testing::Test, protected testing::MainFormFakes {
protected:
    FormExpansion() {
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\nFOLDER_2?Misc\r\n");
        temp.Put("Replies/1.rep", "\r\n\r\n{\\rtf1 Dear Name, hello}\r\n");
        temp.Put("Replies/2/index.sub", "");
        editor.onChange = [this] {
            if (form.Editing())
                form.Editing()->EditorChange();
        };
        menu.items.push_back({"stale", 99});
        form.AttachEditingViews({bar, editor, view, states});
        form.AttachInsertionsMenu(menu);
        form.FormCreate();
    }
    ~FormExpansion() override { form.FormDestroy(); }

    TreeNode* Node(const std::string& caption) {
        return testing::NodeByCaption(form.Library().Tree(), caption);
    }
    bool Modified() { return form.Editing()->Flags().ContentModified; }

    fakes::TempDir temp;
    fakes::FakeRegistry registry;
    fakes::FakePropertyBar bar;
    fakes::FakeRichEditor editor;
    fakes::FakeNavigationView view;
    fakes::RecordingCommandStates states;
    RecordingMenu menu;
    TFormTextwright form{MakeStartupGlobals((temp.Path() / "Textwright.exe").string()),
                         Ports(registry)};
};

TEST_F(FormExpansion, CreationFillsTheInsertionsMenuOnce) {
    EXPECT_EQ(menu.items, PredefinedInsertionsMenuEntries());
    ASSERT_EQ(menu.items.size(), 14u);
    EXPECT_EQ(menu.items.front().caption, "%Date - Today (date in full)");
    EXPECT_EQ(menu.items.back().caption, "%ShortTime - Current Time (short)");
}

TEST_F(FormExpansion, AnInsertionIsAnEditThatSaveAllWrites) {
    form.NavigationChange(Node("Thanks"));
    ASSERT_FALSE(Modified());
    form.PredefinedInsertionClick(4);
    EXPECT_EQ(editor.replacedWith, std::vector<std::string>{"%YDate"});
    EXPECT_TRUE(Modified());
    form.ActionMainFormUpdate();
    EXPECT_TRUE(states.last.editorForceSave);
    EXPECT_TRUE(states.last.editorToolbar);
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::EditorForceSave));
    EXPECT_EQ(temp.Get("Replies/1.rep"), "\r\n\r\n{\\rtf1 %YDate}\r\n");
    EXPECT_FALSE(Modified());
}

TEST_F(FormExpansion, InsertionsNeedASelectedReplyAndAnItemsTag) {
    struct Case {
        const char* node;
        int tag;
    };
    for (const Case c : {Case{nullptr, 1}, Case{"Misc", 1}, Case{"Thanks", 0}, Case{"Thanks", 12},
                         Case{"Thanks", -3}}) {
        form.NavigationChange(c.node ? Node(c.node) : nullptr);
        form.PredefinedInsertionClick(c.tag);
        EXPECT_TRUE(editor.replacedWith.empty()) << (c.node ? c.node : "none") << " " << c.tag;
        EXPECT_FALSE(Modified());
    }
    form.NavigationChange(Node("Misc"));
    form.ActionMainFormUpdate();
    EXPECT_FALSE(states.last.editorToolbar) << "the toolbar is off for a folder";
}

TEST_F(FormExpansion, ReplacementsChangeOnlyTheWorkingCopy) {
    form.NavigationChange(Node("Thanks"));
    form.ApplyReplacements("Name", "John");
    EXPECT_EQ(editor.lines, std::vector<std::string>{"{\\rtf1 Dear John, hello}"});
    EXPECT_FALSE(Modified()) << "the reload's change notice must not count as an edit";
    form.NavigationChange(nullptr);
    EXPECT_EQ(temp.Get("Replies/1.rep"), "\r\n\r\n{\\rtf1 Dear Name, hello}\r\n");
}

TEST_F(FormExpansion, EditsPendingBeforeAnExpansionAreSavedNotLost) {
    form.NavigationChange(Node("Thanks"));
    editor.Type("{\\rtf1 Sent on %Date}");
    FixedClock clock;
    form.ApplyReplacements(GetPlaceholderNames(), GetPlaceholderValues(clock));
    EXPECT_EQ(editor.lines, std::vector<std::string>{"{\\rtf1 Sent on Monday, January 05, 2026}"});
    EXPECT_EQ(temp.Get("Replies/1.rep"), "\r\n\r\n{\\rtf1 Sent on %Date}\r\n");
    EXPECT_FALSE(Modified());
}

TEST_F(FormExpansion, AFailedSaveOfPendingEditsStopsTheExpansionAndKeepsThem) {
    form.NavigationChange(Node("Thanks"));
    editor.Type("{\\rtf1 Typed Name}");
    // A folder where the reply file was: the write of the pending edit fails.
    std::filesystem::remove(temp.Path() / "Replies" / "1.rep");
    std::filesystem::create_directory(temp.Path() / "Replies" / "1.rep");
    EXPECT_ANY_THROW(form.ApplyReplacements("Name", "John"));
    EXPECT_EQ(editor.lines, std::vector<std::string>{"{\\rtf1 Typed Name}"});
    EXPECT_TRUE(Modified()) << "the edit must still be saved later";
    std::filesystem::remove(temp.Path() / "Replies" / "1.rep");
}

TEST_F(FormExpansion, CommandDeliveryExpandsFieldsAndPlaceholdersThroughThePort) {
    form.NavigationChange(Node("Thanks"));
    editor.Type("{\\rtf1 Dear Name, %ShortTime}");
    ASSERT_NE(form.ReplyExpansion(), nullptr);
    NoDialog dialog;
    FixedClock clock;
    // With the dialog switched off the field stays; the placeholder is expanded.
    EXPECT_EQ(ExpandForCommandDelivery(*form.ReplyExpansion(), 0, "Name", dialog, clock),
              CommandExpansion::Expanded);
    EXPECT_EQ(editor.lines, std::vector<std::string>{"{\\rtf1 Dear Name, 9:05}"});
    EXPECT_EQ(temp.Get("Replies/1.rep"), "\r\n\r\n{\\rtf1 Dear Name, %ShortTime}\r\n");
}

TEST(FormExpansionWithoutEditing, ThereIsNoWorkingCopy) {
    fakes::TempDir temp;
    testing::MainFormFakes ports;
    fakes::FakeRegistry registry;
    TFormTextwright form{MakeStartupGlobals((temp.Path() / "Textwright.exe").string()),
                         ports.Ports(registry)};
    form.FormCreate();
    EXPECT_EQ(form.ReplyExpansion(), nullptr);
    form.ApplyReplacements("a", "b");
    form.PredefinedInsertionClick(1);
    form.FormDestroy();
    for (const std::string& entry : ports.log) {
        EXPECT_EQ(entry.rfind("error report", 0), std::string::npos) << entry;
    }
}

} // namespace
} // namespace tw
