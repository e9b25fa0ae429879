// The tree view and list box mirrors against real controls: after every change of the core's
// models the controls show exactly the same, and a bulk load repaints once.
#include "platform/win32/ansi_path.h"
#include "library/list_model.h"
#include "library/reply_tree.h"
#include "platform/win32/window_base.h"
#include "ui/win32/list_box_mirror.h"
#include "ui/win32/tree_view_mirror.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tw::win32 {
namespace {

// Counts WM_SETREDRAW reaching a control, to see how often a bulk change turns painting off.
struct RedrawCounter {
    static inline WNDPROC original = nullptr;
    static inline int offs = 0;
    static inline int ons = 0;
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == WM_SETREDRAW) {
            ++(wp ? ons : offs);
        }
        return CallWindowProcW(original, w, m, wp, lp);
    }
    static void Hook(HWND control) {
        offs = ons = 0;
        original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
};

// The owner window's part: it reflects the controls' notifications back to the mirrors.
struct Owner {
    static inline WNDPROC original = nullptr;
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (const auto reflected = ReflectToSender(m, wp, lp)) {
            return *reflected;
        }
        return CallWindowProcW(original, w, m, wp, lp);
    }
};

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr,
                               nullptr, nullptr, nullptr);
        tree = CreateWindowExW(0, WC_TREEVIEWW, nullptr, WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0,
                               0, 200, 400, host, nullptr, nullptr, nullptr);
        list = CreateWindowExW(0, L"LISTBOX", nullptr,
                               WS_CHILD | WS_VISIBLE | LBS_NOTIFY | ListBoxMirror::kListBoxStyle,
                               200, 0, 200, 400, host, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host && tree && list);
        Owner::original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Owner::Proc)));
    }
    void TearDown() override { DestroyWindow(host); }

    bool HasButton(HTREEITEM item) const {
        TVITEMW tv{};
        tv.mask = TVIF_CHILDREN | TVIF_HANDLE;
        tv.hItem = item;
        TreeView_GetItem(tree, &tv);
        return tv.cChildren != 0;
    }
    // Opens every folder as a user would, level by level.
    void ExpandAll(HTREEITEM first) const {
        for (HTREEITEM i = first; i; i = TreeView_GetNextSibling(tree, i)) {
            TreeView_Expand(tree, i, TVE_EXPAND);
            ExpandAll(TreeView_GetChild(tree, i));
        }
    }
    // What the view shows is part of the model: every item stands for its node, in the model's
    // order, with its caption and an expand button exactly when the node has children; the
    // children of a folder are all there or none is, and a node without an item has no
    // descendant with one.
    void ExpectShownPartOfModel(const TreeViewMirror& mirror, HTREEITEM first, TreeNode* firstNode,
                                const char* what) const {
        HTREEITEM item = first;
        TreeNode* node = firstNode;
        if (!item) {
            for (TreeNode* n = node; n; n = ReplyTree::NextInDisplayOrder(n)) {
                if (node->Parent() && !node->Parent()->IsAncestorOf(n)) {
                    break;
                }
                EXPECT_EQ(nullptr, TreeViewMirror::ItemOf(n)) << what << ": " << n->Caption();
            }
            return;
        }
        for (; item && node;
             item = TreeView_GetNextSibling(tree, item), node = node->NextSibling()) {
            ASSERT_EQ(node, mirror.NodeOf(item)) << what << ": " << node->Caption();
            EXPECT_EQ(item, TreeViewMirror::ItemOf(node)) << what;
            EXPECT_EQ(AnsiToWide(node->Caption()), ItemText(item)) << what;
            EXPECT_EQ(node->FirstChild() != nullptr, HasButton(item))
                << what << ": " << node->Caption();
            ExpectShownPartOfModel(mirror, TreeView_GetChild(tree, item), node->FirstChild(), what);
        }
        EXPECT_EQ(nullptr, item) << what << ": an item for no node";
        EXPECT_EQ(nullptr, node) << what << ": a node missing among shown siblings";
    }

    std::wstring ItemText(HTREEITEM item) const {
        wchar_t buffer[256] = {};
        TVITEMW tv{};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = buffer;
        tv.cchTextMax = 256;
        TreeView_GetItem(tree, &tv);
        return buffer;
    }
    // The view as indented lines, depth first.
    void DumpView(HTREEITEM first, int depth, std::vector<std::wstring>& out) const {
        for (HTREEITEM i = first; i; i = TreeView_GetNextSibling(tree, i)) {
            out.push_back(std::wstring(static_cast<std::size_t>(depth) * 2, L' ') + ItemText(i));
            DumpView(TreeView_GetChild(tree, i), depth + 1, out);
        }
    }
    std::vector<std::wstring> View() const {
        std::vector<std::wstring> out;
        DumpView(TreeView_GetRoot(tree), 0, out);
        return out;
    }
    static std::vector<std::wstring> Model(const ReplyTree& t) {
        std::vector<std::wstring> out;
        for (TreeNode* n = t.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            out.push_back(std::wstring(static_cast<std::size_t>(n->Level()) * 2, L' ') +
                          AnsiToWide(n->Caption()));
        }
        return out;
    }
    // The rows as the list box counts them and gives them to a screen reader, each checked
    // against what is drawn.
    std::vector<std::wstring> ListView(const ListBoxMirror& mirror) const {
        std::vector<std::wstring> out;
        const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
            std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'?');
            const auto copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                             reinterpret_cast<LPARAM>(text.data()));
            EXPECT_EQ(length, copied) << i;
            text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
            EXPECT_EQ(mirror.RowText(i), text) << i;
            out.push_back(text);
        }
        EXPECT_EQ(LB_ERR, SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(n), 0));
        return out;
    }
    static std::vector<std::wstring> ListModelTexts(const ListModel& m) {
        std::vector<std::wstring> out;
        for (const auto& item : m.Items()) {
            out.push_back(AnsiToWide(item.text));
        }
        return out;
    }

    HWND host = nullptr, tree = nullptr, list = nullptr;
};

// Once with no folder ever opened, where the changes land on nodes without items, and once with
// every folder opened before each change.
TEST_F(Controls, TreeViewFollowsEveryChangeOfTheModel) {
    for (const bool openAll : {false, true}) {
        ReplyTree model;
        TreeViewMirror mirror(tree);
        mirror.Attach(model);
        TreeNode *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *g = nullptr;
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"add top level", [&] { a = model.AddChild(nullptr, "Alpha", nullptr); }},
            {"add second", [&] { b = model.AddChild(nullptr, "Beta", nullptr); }},
            {"add children",
             [&] {
                 c = model.AddChild(a, "Child one", nullptr);
                 d = model.AddChild(a, "Child two", nullptr);
                 g = model.AddChild(c, "Grandchild", nullptr);
             }},
            {"insert before", [&] { model.InsertBefore(d, "Between", nullptr); }},
            {"insert first", [&] { model.InsertBefore(a, "First", nullptr); }},
            {"rename", [&] { model.SetCaption(c, "Renamed child"); }},
            {"move before", [&] { ASSERT_TRUE(model.MoveBefore(b, a)); }},
            {"move subtree into another folder", [&] { ASSERT_TRUE(model.MoveAsLastChild(a, b)); }},
            {"move a child out to the top", [&] { ASSERT_TRUE(model.MoveBefore(d, b)); }},
            {"refused move changes nothing", [&] { EXPECT_FALSE(model.MoveAsLastChild(b, c)); }},
            {"move a folder's last child away", [&] { ASSERT_TRUE(model.MoveBefore(g, d)); }},
            {"remove a leaf", [&] { model.Remove(d); }},
            {"remove a subtree", [&] { model.Remove(c); }},
        };
        for (const auto& [what, step] : steps) {
            if (openAll) {
                ExpandAll(TreeView_GetRoot(tree));
            }
            step();
            ExpectShownPartOfModel(mirror, TreeView_GetRoot(tree), model.FirstNode(), what);
            if (openAll) {
                ExpandAll(TreeView_GetRoot(tree));
                EXPECT_EQ(Model(model), View()) << what;
            }
        }
        ExpandAll(TreeView_GetRoot(tree));
        EXPECT_EQ(Model(model), View()) << "opening every folder shows the whole model";
        EXPECT_EQ(static_cast<UINT>(model.Count()), TreeView_GetCount(tree));
        model.Clear();
        EXPECT_EQ(0u, TreeView_GetCount(tree));
    }
}

TEST_F(Controls, AFolderGetsItsItemsWhenFirstOpened) {
    ReplyTree model;
    TreeNode* folder = model.AddChild(nullptr, "Folder", nullptr);
    TreeNode* inner = model.AddChild(folder, "Inner", nullptr);
    TreeNode* reply = model.AddChild(inner, "Reply", nullptr);
    TreeViewMirror mirror(tree);
    mirror.Attach(model); // nodes made before attaching are shown too
    HTREEITEM root = TreeView_GetRoot(tree);
    EXPECT_EQ(folder, mirror.NodeOf(root));
    EXPECT_EQ(1u, TreeView_GetCount(tree)) << "only the top level at first";
    EXPECT_TRUE(HasButton(root)) << "an unopened folder still shows it can open";
    model.SetCaption(reply, "Renamed");
    model.AddChild(inner, "Added", nullptr);
    EXPECT_EQ(1u, TreeView_GetCount(tree)) << "changes inside an unopened folder make no items";
    TreeView_Expand(tree, root, TVE_EXPAND);
    EXPECT_EQ(inner, mirror.NodeOf(TreeView_GetChild(tree, root)));
    EXPECT_EQ(2u, TreeView_GetCount(tree)) << "opening gives items to the children only";
    model.SetSelected(reply); // a reply chosen from a list, its folder never opened
    EXPECT_EQ(reply, mirror.NodeOf(TreeView_GetSelection(tree)));
    EXPECT_EQ(L"Renamed", ItemText(TreeViewMirror::ItemOf(reply)));
    EXPECT_EQ(nullptr, mirror.NodeOf(nullptr));
    EXPECT_FALSE(mirror.Mirroring());
    ExpectShownPartOfModel(mirror, root, folder, "after selecting");
}

TEST_F(Controls, TreeSelectionFollowsTheModelAndSurvivesAMove) {
    ReplyTree model;
    std::vector<TreeNode*> told;
    TreeViewMirror mirror(tree, [&](TreeNode* node) { told.push_back(node); });
    mirror.Attach(model);
    TreeNode* a = model.AddChild(nullptr, "A", nullptr);
    TreeNode* inner = model.AddChild(a, "Inner", nullptr);
    TreeNode* b = model.AddChild(nullptr, "B", nullptr);
    TreeNode* hidden = model.AddChild(b, "Hidden", nullptr);
    TreeView_Expand(tree, TreeViewMirror::ItemOf(a), TVE_EXPAND);
    model.SetSelected(inner);
    EXPECT_EQ(inner, mirror.NodeOf(TreeView_GetSelection(tree)));
    model.MoveAsLastChild(a, b);
    EXPECT_EQ(inner, mirror.NodeOf(TreeView_GetSelection(tree))) << "selection kept after move";
    EXPECT_TRUE(TreeView_GetItemState(tree, TreeViewMirror::ItemOf(a), TVIS_EXPANDED) &
                TVIS_EXPANDED)
        << "an open folder stays open after a move";
    EXPECT_EQ(hidden, mirror.NodeOf(TreeView_GetChild(tree, TreeViewMirror::ItemOf(b))))
        << "the folder moved into is opened with all its children";
    EXPECT_TRUE(told.empty()) << "the model's own selections are echoes";
    TreeView_SelectItem(tree, TreeViewMirror::ItemOf(b));
    EXPECT_EQ(std::vector<TreeNode*>{b}, told) << "a selection made in the view is the user's";
    model.SetSelected(nullptr);
    EXPECT_EQ(nullptr, TreeView_GetSelection(tree));
    ExpectShownPartOfModel(mirror, TreeView_GetRoot(tree), model.FirstNode(), "after the move");
}

TEST_F(Controls, ABulkLoadOfTheTreePaintsOnceAndMakesOnlyTheTopLevel) {
    ReplyTree model;
    TreeViewMirror mirror(tree);
    mirror.Attach(model);
    RedrawCounter::Hook(tree);
    model.BeginUpdate();
    model.BeginUpdate(); // nested, as a load inside a command would be
    for (int i = 0; i < 200; ++i) {
        TreeNode* folder = model.AddChild(nullptr, "Folder " + std::to_string(i), nullptr);
        model.AddChild(folder, "Reply", nullptr);
    }
    model.EndUpdate();
    EXPECT_EQ(0, RedrawCounter::ons) << "still loading";
    model.EndUpdate();
    EXPECT_EQ(1, RedrawCounter::offs);
    EXPECT_EQ(1, RedrawCounter::ons);
    EXPECT_EQ(200u, TreeView_GetCount(tree));
}

struct Names : ListSource {
    std::vector<std::string> names;
    int SourceCount() const override { return static_cast<int>(names.size()); }
    ListItem SourceItem(int i) const override { return {names[static_cast<std::size_t>(i)]}; }
};

TEST_F(Controls, ListBoxFollowsTheIndexList) {
    ListModel model;
    ListBoxMirror mirror(list);
    Names source;
    source.names = {"addr", "sig", "thx", "zip"};
    model.Append("before attach", nullptr);
    mirror.Attach(model);
    EXPECT_EQ(ListModelTexts(model), ListView(mirror));
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"append", [&] { model.Append("<CTRL>+<ALT>+S", nullptr); }},
        {"select", [&] { model.SetSelected(1); }},
        {"rebuild",
         [&] {
             model.Rebuild({{"addr", nullptr}, {"sig", nullptr}, {"thx", nullptr}});
         }},
        {"select after rebuild", [&] { model.SetSelected(2); }},
        {"out of range selects none", [&] { model.SetSelected(9); }},
        {"shown from a source", [&] { model.Show(source); }},
        {"select in the source", [&] { model.SetSelected(3); }},
        {"append after a source", [&] { model.Append("zz", nullptr); }},
        {"clear", [&] { model.Clear(); }},
    };
    for (const auto& [what, step] : steps) {
        step();
        EXPECT_EQ(ListModelTexts(model), ListView(mirror)) << what;
        EXPECT_EQ(model.Selected(), static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)))
            << what;
    }
    EXPECT_GT(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 0) << "rows take the font's height";
}

TEST_F(Controls, TypingALetterMovesToTheNextRowStartingWithIt) {
    ListModel model;
    ListBoxMirror mirror(list);
    mirror.Attach(model);
    model.Rebuild({{"addr", nullptr}, {"Sig", nullptr}, {"sig2", nullptr}, {"thx", nullptr}});
    const std::pair<wchar_t, int> typed[] = {
        {L's', 1},            // from no selection: the first
        {L'S', 2},            // either case, the next one after the caret
        {L's', 1},            // round to the top
        {L'x', 1},            // no row starts with it: stays
        {L'A', 0}, {L'a', 0}, // the only match is the caret's own row
    };
    for (const auto& [letter, row] : typed) {
        SendMessageW(list, WM_CHAR, letter, 0);
        EXPECT_EQ(row, static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0))) << char(letter);
    }
}

TEST_F(Controls, ARebuildOfTheListPaintsOnce) {
    ListModel model;
    ListBoxMirror mirror(list);
    mirror.Attach(model);
    std::vector<ListItem> items;
    for (int i = 0; i < 500; ++i) {
        items.push_back({"macro" + std::to_string(i), nullptr});
    }
    RedrawCounter::Hook(list);
    model.Rebuild(items);
    EXPECT_EQ(1, RedrawCounter::offs);
    EXPECT_EQ(1, RedrawCounter::ons);
    EXPECT_EQ(500, static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
    EXPECT_EQ(0, mirror.ModelIndexOf(0));
    EXPECT_EQ(-1, mirror.ModelIndexOf(500));
}

} // namespace
} // namespace tw::win32
