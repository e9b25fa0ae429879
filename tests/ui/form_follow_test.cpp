// Changes made to the library on disk while the window is open: only someone else's call for a
// reload, and a reload keeps the user's place and never loses what they typed.
#include "fakes/form_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tw {
namespace {

// One run of the program over a small library of its own.
struct FormFollow : testing::FormHome, testing::FormHarness {
    FormFollow() : FormHarness(registry, Globals()) {
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\nFOLDER_1?Work\r\n");
        temp.Put("Replies/1.rep", "thx\r\n\r\n{\\rtf1 Thanks}\r\n");
        temp.Put("Replies/1/index.sub", "REPLY_1?Hello\r\nREPLY_2?Bye\r\n");
        temp.Put("Replies/1/1.rep", "hi\r\n\r\n{\\rtf1 Hello}\r\n");
        temp.Put("Replies/1/2.rep", "bye\r\n\r\n{\\rtf1 Bye}\r\n");
        form.FormCreate();
        form.ActionMainFormUpdate();
    }
    ~FormFollow() { form.FormDestroy(); }

    void Select(const std::string& caption) {
        form.NavigationChange(Node(caption));
        form.ActionMainFormUpdate();
    }
    std::string Selected() {
        const TreeNode* node = library.Tree().Selected();
        return node ? node->Caption() : "(none)";
    }
    std::string Macros() {
        std::string out;
        for (int i = 0; i < library.MacroList().Count(); ++i) {
            out += library.MacroList().Item(i).text + " ";
        }
        return out;
    }
    // Folds the disk in as the watcher does; true when the library was loaded again.
    bool Follow(const std::vector<TreeNode*>& expanded = {}) {
        const std::size_t loads = Count("bulk begin");
        reopened = form.FollowDisk(expanded);
        return Count("bulk begin") > loads;
    }
    std::vector<TreeNode*> reopened;
};

TEST(FormFollow, OnlySomeoneElsesChangeLoadsTheLibraryAgain) {
    const struct {
        const char* what;
        std::function<void(FormFollow&)> change;
        bool reloads;
        const char* macros; // after the change has been taken in
    } cases[] = {
        {"our new reply and folder",
         [](FormFollow& t) {
             t.Select("Bye");
             t.form.ExecuteCommand(MainCommand::NavAddReply);
             t.form.ActionMainFormUpdate();
             t.form.ExecuteCommand(MainCommand::NavAddFolder);
         },
         false, "bye hi thx "},
        {"our edit of a reply, saved",
         [](FormFollow& t) {
             t.Select("Hello");
             t.editor.Type("{\\rtf1 Hello there}");
             t.form.ActionMainFormUpdate();
             t.form.ExecuteCommand(MainCommand::EditorForceSave);
         },
         false, "bye hi thx "},
        {"our move of a reply into a folder, then our delete of that folder",
         [](FormFollow& t) {
             t.Select("Thanks");
             t.Editing().NavigationDragDrop(t.Node("Bye"));
             t.Select("Work");
             t.form.ExecuteCommand(MainCommand::NavDelete);
         },
         false, ""},
        {"a reply's macro edited elsewhere",
         [](FormFollow& t) { t.temp.Put("Replies/1/1.rep", "hello\r\n\r\n{\\rtf1 Hello}\r\n"); },
         true, "bye hello thx "},
        {"a reply added elsewhere",
         [](FormFollow& t) {
             t.temp.Put("Replies/1/3.rep", "cu\r\n\r\n{\\rtf1 See you}\r\n");
             t.temp.Put("Replies/1/index.sub", "REPLY_1?Hello\r\nREPLY_2?Bye\r\nREPLY_3?Later\r\n");
         },
         true, "bye cu hi thx "},
        {"a reply deleted elsewhere",
         [](FormFollow& t) {
             std::filesystem::remove(t.temp.Path() / "Replies" / "1" / "2.rep");
             t.temp.Put("Replies/1/index.sub", "REPLY_1?Hello\r\n");
         },
         true, "hi thx "},
        {"a reply added elsewhere to the folder we add one to",
         [](FormFollow& t) {
             t.Select("Bye");
             t.form.ExecuteCommand(MainCommand::NavAddReply);
             t.temp.Put("Replies/1/9.rep", "cu\r\n\r\n{\\rtf1 See you}\r\n");
             t.temp.Put("Replies/1/index.sub",
                        t.temp.Get("Replies/1/index.sub") + "REPLY_9?Later\r\n");
         },
         true, "bye cu hi thx "},
        {"a folder removed elsewhere while we add a reply beside it",
         [](FormFollow& t) {
             t.Select("Thanks");
             t.form.ExecuteCommand(MainCommand::NavAddReply);
             std::filesystem::remove_all(t.temp.Path() / "Replies" / "1");
         },
         true, "thx "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FormFollow t;
        c.change(t);
        EXPECT_EQ(t.Follow(), c.reloads);
        EXPECT_EQ(t.Macros(), c.macros);
        EXPECT_FALSE(t.Follow()) << "the change is taken in once";
        EXPECT_FALSE(t.Logged("error report"));
    }
}

TEST(FormFollow, AReloadKeepsTheSelectionWhereItsReplyIsStillThere) {
    const struct {
        const char* selected;
        std::function<void(FormFollow&)> change;
        const char* selectedAfter;
        std::vector<std::string> editorAfter;
    } cases[] = {
        {"Bye",
         [](FormFollow& t) { t.temp.Put("Replies/1/1.rep", "hey\r\n\r\n{\\rtf1 Hey}\r\n"); },
         "Bye",
         {"{\\rtf1 Bye}"}},
        {"Bye",
         [](FormFollow& t) { t.temp.Put("Replies/1/2.rep", "bye\r\n\r\n{\\rtf1 Ciao}\r\n"); },
         "Bye",
         {"{\\rtf1 Ciao}"}},
        // Found by its file, whatever its name has become.
        {"Bye",
         [](FormFollow& t) {
             t.temp.Put("Replies/1/index.sub", "REPLY_2?Goodbye\r\nREPLY_1?Hello\r\n");
         },
         "Goodbye",
         {"{\\rtf1 Bye}"}},
        {"Bye",
         [](FormFollow& t) {
             std::filesystem::remove(t.temp.Path() / "Replies" / "1" / "2.rep");
             t.temp.Put("Replies/1/index.sub", "REPLY_1?Hello\r\n");
         },
         "Work",
         {}},
        {"Hello",
         [](FormFollow& t) {
             std::filesystem::remove_all(t.temp.Path() / "Replies" / "1");
             t.temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\n");
         },
         "(none)",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected + std::string(" -> ") + c.selectedAfter);
        FormFollow t;
        t.Select(c.selected);
        c.change(t);
        ASSERT_TRUE(t.Follow());
        EXPECT_EQ(t.Selected(), c.selectedAfter);
        EXPECT_EQ(t.editor.lines, c.editorAfter);
    }
}

TEST(FormFollow, TypedTextIsWrittenBeforeTheReloadAndOpenFoldersStayOpen) {
    FormFollow t;
    t.Select("Hello");
    t.editor.Type("{\\rtf1 Hello, typed}");
    t.temp.Put("Replies/2.rep", "new\r\n\r\n{\\rtf1 New}\r\n");
    t.temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\nFOLDER_1?Work\r\nREPLY_2?New\r\n");

    ASSERT_TRUE(t.Follow({t.Node("Work")}));
    EXPECT_EQ(t.temp.Get("Replies/1/1.rep"), "hi\r\n\r\n{\\rtf1 Hello, typed}\r\n");
    EXPECT_EQ(t.Selected(), "Hello");
    EXPECT_EQ(t.editor.lines, std::vector<std::string>{"{\\rtf1 Hello, typed}"});
    EXPECT_FALSE(t.Flags().Any());
    ASSERT_EQ(t.reopened.size(), 1u);
    EXPECT_EQ(t.reopened[0], t.Node("Work"));
    EXPECT_EQ(t.Macros(), "bye hi new thx ");
}

} // namespace
} // namespace tw
