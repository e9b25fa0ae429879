// The tree view and list box mirrors against real controls: after every change of the core's
// models the controls show exactly the same, and a bulk load repaints once.
#include "platform/win32/ansi_path.h"
#include "library/list_model.h"
#include "library/reply_tree.h"
#include "ui/win32/list_box_mirror.h"
#include "ui/win32/tree_view_mirror.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

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

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 400, nullptr,
                               nullptr, nullptr, nullptr);
        tree = CreateWindowExW(0, WC_TREEVIEWW, nullptr, WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 0,
                               0, 200, 400, host, nullptr, nullptr, nullptr);
        list = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_NOTIFY, 200, 0,
                               200, 400, host, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host && tree && list);
    }
    void TearDown() override { DestroyWindow(host); }

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
    std::vector<std::wstring> ListView() const {
        std::vector<std::wstring> out;
        const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            wchar_t buffer[256] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(buffer));
            out.push_back(buffer);
        }
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

TEST_F(Controls, TreeViewFollowsEveryChangeOfTheModel) {
    ReplyTree model;
    TreeViewMirror mirror(tree);
    mirror.Attach(model);
    TreeNode *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"add top level", [&] { a = model.AddChild(nullptr, "Alpha", nullptr); }},
        {"add second", [&] { b = model.AddChild(nullptr, "Beta", nullptr); }},
        {"add children",
         [&] {
             c = model.AddChild(a, "Child one", nullptr);
             d = model.AddChild(a, "Child two", nullptr);
         }},
        {"insert before", [&] { model.InsertBefore(d, "Between", nullptr); }},
        {"insert first", [&] { model.InsertBefore(a, "First", nullptr); }},
        {"rename", [&] { model.SetCaption(c, "Renamed child"); }},
        {"move before", [&] { ASSERT_TRUE(model.MoveBefore(b, a)); }},
        {"move subtree into another folder", [&] { ASSERT_TRUE(model.MoveAsLastChild(a, b)); }},
        {"move a child out to the top", [&] { ASSERT_TRUE(model.MoveBefore(d, b)); }},
        {"refused move changes nothing", [&] { EXPECT_FALSE(model.MoveAsLastChild(b, c)); }},
        {"remove a leaf", [&] { model.Remove(d); }},
        {"remove a subtree", [&] { model.Remove(a); }},
        {"clear", [&] { model.Clear(); }},
    };
    for (const auto& [what, step] : steps) {
        step();
        EXPECT_EQ(Model(model), View()) << what;
        EXPECT_EQ(static_cast<UINT>(model.Count()), TreeView_GetCount(tree)) << what;
    }
}

TEST_F(Controls, TreeItemsLeadBackToTheirNodes) {
    ReplyTree model;
    TreeNode* folder = model.AddChild(nullptr, "Folder", nullptr);
    TreeNode* reply = model.AddChild(folder, "Reply", nullptr);
    TreeViewMirror mirror(tree);
    mirror.Attach(model); // nodes made before attaching are shown too
    EXPECT_EQ(Model(model), View());
    HTREEITEM root = TreeView_GetRoot(tree);
    EXPECT_EQ(folder, mirror.NodeOf(root));
    EXPECT_EQ(reply, mirror.NodeOf(TreeView_GetChild(tree, root)));
    EXPECT_EQ(nullptr, mirror.NodeOf(nullptr));
    EXPECT_FALSE(mirror.Mirroring());
}

TEST_F(Controls, TreeSelectionFollowsTheModelAndSurvivesAMove) {
    ReplyTree model;
    TreeViewMirror mirror(tree);
    mirror.Attach(model);
    TreeNode* a = model.AddChild(nullptr, "A", nullptr);
    TreeNode* inner = model.AddChild(a, "Inner", nullptr);
    TreeNode* b = model.AddChild(nullptr, "B", nullptr);
    TreeView_Expand(tree, TreeViewMirror::ItemOf(a), TVE_EXPAND);
    model.SetSelected(inner);
    EXPECT_EQ(inner, mirror.NodeOf(TreeView_GetSelection(tree)));
    model.MoveAsLastChild(a, b);
    EXPECT_EQ(inner, mirror.NodeOf(TreeView_GetSelection(tree))) << "selection kept after move";
    EXPECT_TRUE(TreeView_GetItemState(tree, TreeViewMirror::ItemOf(a), TVIS_EXPANDED) &
                TVIS_EXPANDED)
        << "an open folder stays open after a move";
    model.SetSelected(nullptr);
    EXPECT_EQ(nullptr, TreeView_GetSelection(tree));
}

TEST_F(Controls, ABulkLoadOfTheTreePaintsOnce) {
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
    EXPECT_EQ(400u, TreeView_GetCount(tree));
}

TEST_F(Controls, ListBoxFollowsTheIndexList) {
    ListModel model;
    ListBoxMirror mirror(list);
    model.Append("before attach", nullptr);
    mirror.Attach(model);
    EXPECT_EQ(ListModelTexts(model), ListView());
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"append", [&] { model.Append("<CTRL>+<ALT>+S", nullptr); }},
        {"select", [&] { model.SetSelected(1); }},
        {"rebuild",
         [&] {
             model.Rebuild({{"addr", nullptr}, {"sig", nullptr}, {"thx", nullptr}});
         }},
        {"select after rebuild", [&] { model.SetSelected(2); }},
        {"out of range selects none", [&] { model.SetSelected(9); }},
        {"clear", [&] { model.Clear(); }},
    };
    for (const auto& [what, step] : steps) {
        step();
        EXPECT_EQ(ListModelTexts(model), ListView()) << what;
        EXPECT_EQ(model.Selected(), static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0)))
            << what;
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
