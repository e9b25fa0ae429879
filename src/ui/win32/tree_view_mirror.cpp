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
        populated_.clear();
        for (TreeNode* n = tree.FirstNode(); n; n = n->NextSibling()) {
            Insert(n, TVI_LAST);
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

HTREEITEM TreeViewMirror::Reveal(TreeNode* node) {
    if (!node || ItemOf(node)) {
        return ItemOf(node);
    }
    if (TreeNode* parent = node->Parent()) {
        Reveal(parent);
        Populate(parent);
    }
    return ItemOf(node);
}

bool TreeViewMirror::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != view_) {
        return false;
    }
    if (header.code == TVN_GETDISPINFOW) {
        auto& info = const_cast<NMTVDISPINFOW&>(reinterpret_cast<const NMTVDISPINFOW&>(header));
        if (info.item.mask & TVIF_CHILDREN) {
            const auto* node = reinterpret_cast<const TreeNode*>(info.item.lParam);
            info.item.cChildren = node && node->FirstChild() ? 1 : 0;
        }
        return false; // the pictures are asked for in the same notification
    }
    if (header.code == TVN_SELCHANGEDW) {
        if (selected_ && !Mirroring()) {
            selected_(NodeOf(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem));
        }
        return false;
    }
    if (header.code != TVN_ITEMEXPANDINGW) {
        return false;
    }
    const auto& info = reinterpret_cast<const NMTREEVIEWW&>(header);
    if (info.action & TVE_EXPAND) {
        Echo echo(*this);
        Populate(NodeOf(info.itemNew.hItem));
    }
    result = FALSE; // let it open
    return true;
}

HTREEITEM TreeViewMirror::Insert(TreeNode* node, HTREEITEM after) {
    const std::wstring text = AnsiToWide(node->Caption());
    TVINSERTSTRUCTW is{};
    is.hParent = node->Parent() ? ItemOf(node->Parent()) : TVI_ROOT;
    is.hInsertAfter = after;
    is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    is.item.iImage = is.item.iSelectedImage = I_IMAGECALLBACK; // the pictures follow the node
    is.item.pszText = const_cast<wchar_t*>(text.c_str());
    is.item.lParam = reinterpret_cast<LPARAM>(node);
    is.item.cChildren = I_CHILDRENCALLBACK; // the expand button follows the node too
    HTREEITEM item = TreeView_InsertItem(view_, &is);
    node->SetViewTag(reinterpret_cast<std::uintptr_t>(item));
    return item;
}

void TreeViewMirror::Place(TreeNode* node) {
    TreeNode* parent = node->Parent();
    if (!parent || populated_.contains(parent)) {
        Insert(node, node->PrevSibling() ? ItemOf(node->PrevSibling()) : TVI_FIRST);
    }
}

void TreeViewMirror::Populate(TreeNode* folder) {
    if (!folder || !ItemOf(folder) || populated_.contains(folder)) {
        return;
    }
    populated_.insert(folder);
    for (TreeNode* c = folder->FirstChild(); c; c = c->NextSibling()) {
        Insert(c, TVI_LAST);
    }
}

void TreeViewMirror::Forget(TreeNode* node) {
    // A node without an item has no descendant with one.
    if (!ItemOf(node)) {
        return;
    }
    node->SetViewTag(0);
    populated_.erase(node);
    for (TreeNode* c = node->FirstChild(); c; c = c->NextSibling()) {
        Forget(c);
    }
}

void TreeViewMirror::CollectExpanded(TreeNode* node, std::vector<TreeNode*>& out) const {
    if (!populated_.contains(node)) {
        return; // never opened, so nothing below it is open either
    }
    if (TreeView_GetItemState(view_, ItemOf(node), TVIS_EXPANDED) & TVIS_EXPANDED) {
        out.push_back(node);
    }
    for (TreeNode* c = node->FirstChild(); c; c = c->NextSibling()) {
        CollectExpanded(c, out);
    }
}

std::vector<TreeNode*> TreeViewMirror::ExpandedNodes() const {
    std::vector<TreeNode*> expanded;
    for (TreeNode* n = tree_ ? tree_->FirstNode() : nullptr; n; n = n->NextSibling()) {
        CollectExpanded(n, expanded);
    }
    return expanded;
}

void TreeViewMirror::ExpandNodes(const std::vector<TreeNode*>& folders) {
    Echo echo(*this);
    SuspendRedraw();
    for (TreeNode* n : folders) {
        Reveal(n);
        Populate(n);
        TreeView_Expand(view_, ItemOf(n), TVE_EXPAND);
    }
    ResumeRedraw();
}

void TreeViewMirror::NodeInserted(TreeNode* node) {
    Echo echo(*this);
    Place(node);
}

void TreeViewMirror::NodeRemoving(TreeNode* node) {
    Echo echo(*this);
    if (HTREEITEM item = ItemOf(node)) {
        TreeView_DeleteItem(view_, item);
        Forget(node);
    }
}

void TreeViewMirror::NodeMoved(TreeNode* node) {
    Echo echo(*this);
    // A tree view cannot move an item: take the subtree out and put it in again, keeping which
    // folders were open.
    std::vector<TreeNode*> expanded;
    CollectExpanded(node, expanded);
    SuspendRedraw();
    if (HTREEITEM item = ItemOf(node)) {
        TreeView_DeleteItem(view_, item);
        Forget(node);
    }
    Place(node);
    for (TreeNode* n : expanded) {
        Reveal(n);
        Populate(n);
        TreeView_Expand(view_, ItemOf(n), TVE_EXPAND);
    }
    ResumeRedraw();
    if (tree_ && tree_->Selected() && node->IsAncestorOf(tree_->Selected())) {
        TreeView_SelectItem(view_, Reveal(tree_->Selected()));
    }
}

void TreeViewMirror::CaptionChanged(TreeNode* node) {
    HTREEITEM item = ItemOf(node);
    if (!item) {
        return; // the caption is read when the item is made
    }
    Echo echo(*this);
    const std::wstring text = AnsiToWide(node->Caption());
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = const_cast<wchar_t*>(text.c_str());
    TreeView_SetItem(view_, &tv);
}

void TreeViewMirror::SelectionChanged(TreeNode* node) {
    Echo echo(*this);
    TreeView_SelectItem(view_, Reveal(node));
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
