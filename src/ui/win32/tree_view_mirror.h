#pragma once
// Keeps a Win32 tree view equal to the core's ReplyTree. The view holds no structure of its own:
// every item carries its TreeNode, and each change of the model is replayed here.
#include "library/reply_tree.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace tw::win32 {

class TreeViewMirror : public TreeObserver {
public:
    explicit TreeViewMirror(HWND treeView) : view_(treeView) {}
    ~TreeViewMirror() override { Detach(); }
    TreeViewMirror(const TreeViewMirror&) = delete;
    TreeViewMirror& operator=(const TreeViewMirror&) = delete;

    // Empties the view, shows the tree's present nodes and follows the tree from now on.
    void Attach(ReplyTree& tree);
    void Detach();

    TreeNode* NodeOf(HTREEITEM item) const;
    static HTREEITEM ItemOf(const TreeNode* node);
    // True while the view changes because the model did; its notifications are then echoes
    // that must not go back to the model.
    bool Mirroring() const { return mirroring_ > 0; }

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
    HTREEITEM Insert(TreeNode* node);
    void InsertSubtree(TreeNode* node);

    HWND view_;
    ReplyTree* tree_ = nullptr;
    int mirroring_ = 0;
    int suspended_ = 0;
};

} // namespace tw::win32
