#include "ui/win32/tree_view_mirror.h"

#include "platform/win32/ansi_path.h"

namespace tw::win32 {

class TreeViewMirror::Echo {
public:
    explicit Echo(TreeViewMirror& m) : m_(m) { ++m_.mirroring_; }
    ~Echo() { --m_.mirroring_; }
    Echo(const Echo&) = delete;
    Echo& operator=(const Echo&) = delete;

private:
    TreeViewMirror& m_;
};

void TreeViewMirror::Attach(ReplyTree& tree) {
    Detach();
    tree_ = &tree;
    {
        Echo echo(*this);
        SuspendRedraw();
        TreeView_DeleteAllItems(view_);
        for (TreeNode* n = tree.FirstNode(); n; n = n->NextSibling()) {
            InsertSubtree(n);
        }
        ResumeRedraw();
    }
    tree.SetObserver(this);
    SelectionChanged(tree.Selected());
}

void TreeViewMirror::Detach() {
    if (tree_) {
        tree_->SetObserver(nullptr);
        tree_ = nullptr;
    }
}

TreeNode* TreeViewMirror::NodeOf(HTREEITEM item) const {
    if (!item) {
        return nullptr;
    }
    TVITEMW tv{};
    tv.mask = TVIF_PARAM | TVIF_HANDLE;
    tv.hItem = item;
    if (!TreeView_GetItem(view_, &tv)) {
        return nullptr;
    }
    return reinterpret_cast<TreeNode*>(tv.lParam);
}

HTREEITEM TreeViewMirror::ItemOf(const TreeNode* node) {
    return node ? reinterpret_cast<HTREEITEM>(node->ViewTag()) : nullptr;
}

HTREEITEM TreeViewMirror::Insert(TreeNode* node) {
    const std::wstring text = AnsiToWide(node->Caption());
    TVINSERTSTRUCTW is{};
    is.hParent = node->Parent() ? ItemOf(node->Parent()) : TVI_ROOT;
    is.hInsertAfter = node->PrevSibling() ? ItemOf(node->PrevSibling()) : TVI_FIRST;
    is.item.mask = TVIF_TEXT | TVIF_PARAM;
    is.item.pszText = const_cast<wchar_t*>(text.c_str());
    is.item.lParam = reinterpret_cast<LPARAM>(node);
    HTREEITEM item = TreeView_InsertItem(view_, &is);
    node->SetViewTag(reinterpret_cast<std::uintptr_t>(item));
    return item;
}

void TreeViewMirror::InsertSubtree(TreeNode* node) {
    Insert(node);
    for (TreeNode* c = node->FirstChild(); c; c = c->NextSibling()) {
        InsertSubtree(c);
    }
}

void TreeViewMirror::NodeInserted(TreeNode* node) {
    Echo echo(*this);
    Insert(node);
}

void TreeViewMirror::NodeRemoving(TreeNode* node) {
    Echo echo(*this);
    TreeView_DeleteItem(view_, ItemOf(node));
    for (TreeNode* n = node; n && node->IsAncestorOf(n); n = ReplyTree::NextInDisplayOrder(n)) {
        n->SetViewTag(0);
    }
}

void TreeViewMirror::NodeMoved(TreeNode* node) {
    Echo echo(*this);
    // A tree view cannot move an item: take the subtree out and put it in again, keeping which
    // folders were open.
    std::vector<TreeNode*> expanded;
    for (TreeNode* n = node; n && node->IsAncestorOf(n); n = ReplyTree::NextInDisplayOrder(n)) {
        if (TreeView_GetItemState(view_, ItemOf(n), TVIS_EXPANDED) & TVIS_EXPANDED) {
            expanded.push_back(n);
        }
    }
    SuspendRedraw();
    TreeView_DeleteItem(view_, ItemOf(node));
    InsertSubtree(node);
    for (TreeNode* n : expanded) {
        TreeView_Expand(view_, ItemOf(n), TVE_EXPAND);
    }
    ResumeRedraw();
    if (tree_ && tree_->Selected() && node->IsAncestorOf(tree_->Selected())) {
        TreeView_SelectItem(view_, ItemOf(tree_->Selected()));
    }
}

void TreeViewMirror::CaptionChanged(TreeNode* node) {
    Echo echo(*this);
    const std::wstring text = AnsiToWide(node->Caption());
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = ItemOf(node);
    tv.pszText = const_cast<wchar_t*>(text.c_str());
    TreeView_SetItem(view_, &tv);
}

void TreeViewMirror::SelectionChanged(TreeNode* node) {
    Echo echo(*this);
    TreeView_SelectItem(view_, ItemOf(node));
}

void TreeViewMirror::SuspendRedraw() {
    if (suspended_++ == 0) {
        SendMessageW(view_, WM_SETREDRAW, FALSE, 0);
    }
}

void TreeViewMirror::ResumeRedraw() {
    if (suspended_ > 0 && --suspended_ == 0) {
        SendMessageW(view_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(view_, nullptr, TRUE);
    }
}

} // namespace tw::win32
