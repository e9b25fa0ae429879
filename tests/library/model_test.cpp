// The in-memory library: items, paths, removal, bulk loads and the index list boxes.
#include "library/collation.h"
#include "library/hot_key.h"
#include "model_fixture.h"
#include "platform/files.h"

namespace tw {
namespace {

using testing::ModelFixture;

std::string S(const std::string& path) {
    std::string out = path;
    for (char& c : out) {
        if (c == kPathSep) {
            c = '\\';
        }
    }
    return out;
}

struct PathsTest : ModelFixture {
    void SetUp() override { list.SetLibraryRoot("R"); }
};

TEST_F(PathsTest, BuildsPathsFromFolderIdsNotCaptions) {
    TRep* top = Folder("Top", nullptr, "4");
    TRep* inner = Folder("Inner", top, "2");
    TRep* reply = Reply("Hello", inner, "3");
    TRep* topReply = Reply("Loose", nullptr, "7");
    EXPECT_EQ(list.LibraryRoot(), std::string("R") + kPathSep);
    EXPECT_EQ(S(top->FolderPath()), "R\\4");
    EXPECT_EQ(S(top->ParentFolderPath()), "R\\");
    EXPECT_EQ(S(topReply->ParentFolderPath()), "R\\");
    EXPECT_EQ(S(topReply->FullPath()), "R\\7.rep");
    EXPECT_EQ(S(inner->FullPath()), "R\\4\\2");
    EXPECT_EQ(S(reply->ParentFolderPath()), "R\\4\\2");
    EXPECT_EQ(S(reply->FullPath()), "R\\4\\2\\3.rep");
    tree.SetCaption(inner->Node, "Renamed");
    tree.SetCaption(reply->Node, "Other");
    EXPECT_EQ(S(reply->FullPath()), "R\\4\\2\\3.rep");
    EXPECT_TRUE(inner->IsFolder());
    EXPECT_FALSE(reply->IsFolder());
}

TEST_F(ModelFixture, ClearAllOnEmptyTreeLeavesEmptyList) {
    list.ClearAll();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(tree.Empty());
}

TEST_F(ModelFixture, RemoveSubtreeTakesNodesItemsAndIndexEntries) {
    TRep* keep = Reply("Keep", nullptr, "1", "keep", "0K");
    TRep* folder = Folder("F", nullptr, "1");
    TRep* sub = Folder("Sub", folder, "1");
    Reply("a", folder, "1", "alpha", "0A");
    Reply("b", sub, "1", "beta(x)", "1B");
    Reply("c", sub, "2");
    list.HotKeys.Refresh();
    list.Macros.Refresh();
    ASSERT_EQ(Texts(macroBox), (std::vector<std::string>{"alpha", "beta(x)", "keep"}));
    (void)sub;

    list.RemoveSubtree(folder->Node);

    ExpectTreeAndListAgree();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.At(0), keep);
    EXPECT_EQ(MacroEntries(), (std::vector<std::string>{"keep"}));
    EXPECT_EQ(Texts(macroBox), (std::vector<std::string>{"keep"}));
    EXPECT_EQ(Texts(hotKeyBox), (std::vector<std::string>{"<CTRL>+<ALT>+K"}));
    EXPECT_EQ(list.HotKeyIndexOf(keep), 0);
}

TEST_F(ModelFixture, ClearAllEmptiesEverythingWithOneRebuildPerBox) {
    for (int i = 0; i < 30; ++i) {
        Reply("r", nullptr, std::to_string(i + 1), "m" + std::to_string(i),
              i < 10 ? "0" + std::to_string(i) : "");
    }
    list.Macros.Refresh();
    list.HotKeys.Refresh();
    macroEvents.events.clear();
    hotKeyEvents.events.clear();
    list.ClearAll();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(tree.Empty());
    EXPECT_EQ(list.Macros.Count(), 0);
    EXPECT_EQ(list.HotKeyCount(), 0);
    EXPECT_EQ(macroEvents.events, (std::vector<std::string>{"reset 0"}));
    EXPECT_EQ(hotKeyEvents.events, (std::vector<std::string>{"reset 0"}));
}

TEST_F(ModelFixture, RemoveSubtreeOfPlainReplyRemovesJustIt) {
    Reply("a", nullptr, "1", "m", "0M");
    TRep* plain = Reply("b", nullptr, "2");
    Reply("c", nullptr, "3");
    list.RemoveSubtree(plain->Node);
    ExpectTreeAndListAgree();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(tree.FirstNode()->NextSibling()->Caption(), "c");
    EXPECT_EQ(list.HotKeys.Count(), 1);
    EXPECT_EQ(list.Macros.Count(), 1);
}

TEST_F(ModelFixture, RemovingManyRepliesKeepsEveryLookupRight) {
    TRep* folder = Folder("F", nullptr, "1");
    std::vector<TRep*> outside;
    for (int i = 0; i < 60; ++i) {
        Reply("in" + std::to_string(i), folder, std::to_string(i + 1), "in" + std::to_string(i));
        outside.push_back(Reply("out" + std::to_string(i), nullptr, std::to_string(i + 1),
                                "out" + std::to_string(i)));
    }
    list.RemoveSubtree(folder->Node);
    ExpectTreeAndListAgree();
    ASSERT_EQ(list.Macros.Count(), 60);
    for (TRep* rep : outside) {
        const int at = list.MacroIndexOf(rep);
        ASSERT_GE(at, 0);
        EXPECT_EQ(list.MacroRep(at), rep);
        EXPECT_EQ(list.Macros.Get(at), rep->Caption());
    }
}

TEST_F(ModelFixture, BulkLoadShowsEntriesOnlyAtTheEndSortedAndDeduplicated) {
    list.BeginLoad();
    macroEvents.events.clear();
    std::vector<TRep*> reps;
    for (int i = 99; i >= 0; --i) {
        reps.push_back(Reply("r", nullptr, std::to_string(i + 1), "m" + std::to_string(i)));
    }
    TRep* late = Reply("late", nullptr, "200", "M5");
    EXPECT_EQ(macroBox.Count(), 0);
    EXPECT_TRUE(macroEvents.events.empty());
    list.EndLoad();
    EXPECT_EQ(macroBox.Count(), 100);
    EXPECT_EQ(macroEvents.events, (std::vector<std::string>{"reset 100"}));
    const auto texts = Texts(macroBox);
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(), IndexTextLess()));
    EXPECT_EQ(list.MacroIndexOf(late), -1);
    EXPECT_EQ(list.MacroRep(list.Macros.Find("m5")), reps[94]);
}

TEST_F(ModelFixture, IndexAddDropsTextsEqualWithoutCase) {
    TRep* first = Reply("a", nullptr, "1", "sig");
    TRep* second = Reply("b", nullptr, "2", "Sig");
    EXPECT_EQ(MacroEntries(), (std::vector<std::string>{"sig"}));
    EXPECT_EQ(list.MacroRep(0), first);
    EXPECT_EQ(list.MacroIndexOf(second), -1);
    list.Macros.Add("", second);
    EXPECT_EQ(list.Macros.Count(), 1);
}

TEST_F(ModelFixture, MacroRefreshKeepsSelectedTextHotKeyRefreshClearsIt) {
    Reply("a", nullptr, "1", "beta", "0B");
    Reply("b", nullptr, "2", "alpha", "0A");
    list.Macros.Refresh();
    list.HotKeys.Refresh();
    macroBox.SetSelected(macroBox.IndexOfText("beta"));
    hotKeyBox.SetSelected(1);
    Reply("c", nullptr, "3", "aardvark");
    list.Macros.Refresh();
    list.HotKeys.Refresh();
    EXPECT_EQ(Texts(macroBox), (std::vector<std::string>{"aardvark", "alpha", "beta"}));
    EXPECT_EQ(macroBox.Selected(), 2);
    EXPECT_EQ(hotKeyBox.Selected(), -1);
    // Deleting an entry above the selected one moves the selection with its text.
    list.Macros.Delete(0);
    EXPECT_EQ(macroBox.Selected(), 1);
    EXPECT_EQ(macroBox.Item(1).text, "beta");
}

TEST_F(ModelFixture, AddOutsideLoadShowsTheEntryAtItsSortedPlace) {
    Reply("a", nullptr, "1", "zz");
    macroBox.SetSelected(0);
    Reply("b", nullptr, "2", "aa");
    EXPECT_EQ(Texts(macroBox), (std::vector<std::string>{"aa", "zz"}));
    EXPECT_EQ(macroBox.Selected(), 1);
    EXPECT_EQ(MacroEntries(), (std::vector<std::string>{"aa", "zz"}));
    list.Macros.Refresh();
    EXPECT_EQ(Texts(macroBox), (std::vector<std::string>{"aa", "zz"}));
}

TEST_F(ModelFixture, ReplaceResortsAndRefusesATextAnotherEntryHas) {
    TRep* a = Reply("a", nullptr, "1", "apple");
    Reply("b", nullptr, "2", "banana");
    list.Macros.Replace(list.MacroIndexOf(a), "cherry");
    EXPECT_EQ(MacroEntries(), (std::vector<std::string>{"banana", "cherry"}));
    list.Macros.Replace(list.MacroIndexOf(a), "BANANA");
    EXPECT_EQ(MacroEntries(), (std::vector<std::string>{"banana", "cherry"}));
    list.Macros.Replace(list.MacroIndexOf(a), "Cherry");
    EXPECT_EQ(MacroEntries(), (std::vector<std::string>{"banana", "Cherry"}));
    EXPECT_EQ(list.MacroRep(1), a);
}

TEST_F(ModelFixture, DeleteAtKeepsOtherPositionsValid) {
    TRep* a = Reply("a", nullptr, "1");
    TRep* b = Reply("b", nullptr, "2");
    TRep* c = Reply("c", nullptr, "3");
    list.DeleteAt(0);
    ExpectTreeAndListAgree();
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE((list.At(0) == c && list.At(1) == b) || (list.At(0) == b && list.At(1) == c));
    (void)a;
}

} // namespace
} // namespace tw
