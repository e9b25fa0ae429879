// The main window's part in reply expansion: the insertions menu filled at creation, and an
// insertion as an ordinary edit that Save All writes.
#include "fakes/form_harness.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class FormExpansion : public testing::FormTest {
protected:
    FormExpansion() {
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\nFOLDER_2?Misc\r\n");
        temp.Put("Replies/1.rep", "\r\n\r\n{\\rtf1 Dear Name, hello}\r\n");
        temp.Put("Replies/2/index.sub", "");
        menu.items.push_back({"stale", 99});
        form.FormCreate();
    }
    ~FormExpansion() override { form.FormDestroy(); }

    bool Modified() { return Flags().ContentModified; }
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

} // namespace
} // namespace tw
