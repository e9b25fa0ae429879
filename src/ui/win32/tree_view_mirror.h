#pragma once
// Keeps a Win32 tree view equal to the core's ReplyTree. The view holds no structure of its own:
// every item carries its TreeNode, and each change of the model is replayed here.
//
// A folder's children get items only once the folder is first opened (or something inside it is
// selected), so a library of 100,000 replies starts with a few hundred items; the rest of the
// model is there all the same, and an unopened folder still shows its expand button.
#include "library/reply_tree.h"
#include "platform/win32/window_base.h"

#include <windows.h>
#include <commctrl.h>

#include <unordered_set>
#include <functional>
#include <vector>

namespace tw::win32 {

class TreeViewMirror : public TreeObserver {
public:
    // The tree's notifications reach OnNotify through its parent's reflection; a selection the
    // user makes (not one that echoes the model) is told to `selected`.
    explicit TreeViewMirror(HWND treeView, std::function<void(TreeNode*)> selected = {})
        : view_(treeView), selected_(std::move(selected)),
          reflection_(ReflectNotify(
              treeView, [this](const NMHDR& h, LRESULT& r) { return OnNotify(h, r); })) {}
    ~TreeViewMirror() override { Detach(); }
    TreeViewMirror(const TreeViewMirror&) = delete;
    TreeViewMirror& operator=(const TreeViewMirror&) = delete;

    // Empties the view, shows the tree's present nodes and follows the tree from now on.
    void Attach(ReplyTree& tree);
    void Detach();

    TreeNode* NodeOf(HTREEITEM item) const;
    // Null while the node's folder was never opened.
    static HTREEITEM ItemOf(const TreeNode* node);
    // The node's item, giving items to the folders on its path first.
    HTREEITEM Reveal(TreeNode* node);
    // The tree view's notifications to its parent, seen before anyone else's; true when handled.
    // An item asking whether it has children is answered but left for others to complete.
    bool OnNotify(const NMHDR& header, LRESULT& result);
    // True while the view changes because the model did; its notifications are then echoes
    // that must not go back to the model.
    bool Mirroring() const { return mirroring_ > 0; }

    // The folders open now, and opening them again (after the model was loaded anew).
    std::vector<TreeNode*> ExpandedNodes() const;
    void ExpandNodes(const std::vector<TreeNode*>& folders);

    // Nested; the view repaints once when the outermost ends.
    void SuspendRedraw();
    void ResumeRedraw();

    void NodeInserted(TreeNode* node) override;
    void NodeRemoving(TreeNode* node) override;
    void NodeMoved(TreeNode* node) override;
    void CaptionChanged(TreeNode* node) override;
    void SelectionChanged(TreeNode* node) override;
    void UpdateBegun() override { SuspendRedraw(); }
    void UpdateEnded() override { ResumeRedraw(); }

private:
    class Echo;
    HTREEITEM Insert(TreeNode* node, HTREEITEM after);
    // Gives a node that has just arrived under its parent an item if its siblings have theirs.
    void Place(TreeNode* node);
    void Populate(TreeNode* folder);
    // Forgets the items of a subtree whose item the view has just deleted.
    void Forget(TreeNode* node);
    void CollectExpanded(TreeNode* node, std::vector<TreeNode*>& out) const;

    HWND view_;
    ReplyTree* tree_ = nullptr;
    // Folders whose children all have items; the children of any other folder have none.
    std::unordered_set<const TreeNode*> populated_;
    int mirroring_ = 0;
    int suspended_ = 0;
    std::function<void(TreeNode*)> selected_;
    Reflection reflection_;
};

} // namespace tw::win32
