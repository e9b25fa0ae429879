#pragma once
// The library's node tree. It is the one place that holds the structure of the library (parent,
// order of siblings, captions); a tree view only mirrors it through a TreeObserver and forwards
// the user's events back as calls on ReplyTree.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace tw {

class TRep;
class ReplyTree;

class TreeNode {
public:
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    const std::string& Caption() const { return caption_; }
    TRep* Data() const { return data_; }
    void SetData(TRep* data) { data_ = data; }

    // Null for a top-level node.
    TreeNode* Parent() const;
    TreeNode* FirstChild() const { return firstChild_; }
    TreeNode* NextSibling() const { return next_; }
    TreeNode* PrevSibling() const { return prev_; }
    bool HasChildren() const { return firstChild_ != nullptr; }
    std::size_t ChildCount() const { return childCount_; }
    // Position among its siblings; walks the siblings before it.
    std::size_t IndexInParent() const;
    // 0 for a top-level node.
    int Level() const;
    // True when this node is `other` or one of its ancestors.
    bool IsAncestorOf(const TreeNode* other) const;

    // A free slot for the view that mirrors the tree (for example its item handle).
    std::uintptr_t ViewTag() const { return viewTag_; }
    void SetViewTag(std::uintptr_t tag) { viewTag_ = tag; }

private:
    friend class ReplyTree;
    TreeNode() = default;

    std::string caption_;
    TRep* data_ = nullptr;
    TreeNode* parent_ = nullptr; // the tree's hidden root for top-level nodes
    TreeNode* firstChild_ = nullptr;
    TreeNode* lastChild_ = nullptr;
    TreeNode* next_ = nullptr;
    TreeNode* prev_ = nullptr;
    std::size_t childCount_ = 0;
    std::uintptr_t viewTag_ = 0;
    bool isRoot_ = false;
};

// Told about every change of a ReplyTree after the model has made it, except NodeRemoving,
// which comes while the node (and its subtree) is still linked.
class TreeObserver {
public:
    virtual ~TreeObserver() = default;
    // The node is linked: Parent(), PrevSibling() and NextSibling() tell where. It has no children.
    virtual void NodeInserted(TreeNode* node) = 0;
    // The node and all its descendants are about to go; one call for the whole subtree.
    virtual void NodeRemoving(TreeNode* node) = 0;
    // The node, with its subtree, now stands at its new place.
    virtual void NodeMoved(TreeNode* node) = 0;
    virtual void CaptionChanged(TreeNode* node) = 0;
    // Null when nothing is selected.
    virtual void SelectionChanged(TreeNode* node) = 0;
    // Outermost BeginUpdate / EndUpdate only.
    virtual void UpdateBegun() = 0;
    virtual void UpdateEnded() = 0;
};

class ReplyTree {
public:
    ReplyTree();
    ~ReplyTree();
    ReplyTree(const ReplyTree&) = delete;
    ReplyTree& operator=(const ReplyTree&) = delete;

    // May be null. The observer is not told about nodes that exist already.
    void SetObserver(TreeObserver* observer) { observer_ = observer; }

    // Adds a node as the last child of parent (top level when parent is null).
    TreeNode* AddChild(TreeNode* parent, const std::string& caption, TRep* data);
    // Adds a node just before sibling, under sibling's parent.
    TreeNode* InsertBefore(TreeNode* sibling, const std::string& caption, TRep* data);
    // Removes the node and all its descendants. A removed selected node leaves no selection.
    void Remove(TreeNode* node);
    void Clear();
    void SetCaption(TreeNode* node, const std::string& caption);
    // Both refuse (return false, change nothing) to move a node into its own subtree.
    bool MoveBefore(TreeNode* node, TreeNode* target);
    bool MoveAsLastChild(TreeNode* node, TreeNode* parent);

    TreeNode* FirstNode() const { return root_->firstChild_; }
    std::size_t TopLevelCount() const { return root_->childCount_; }
    std::size_t Count() const { return count_; }
    // Grows with every node added, removed, moved or renamed; selection plays no part.
    std::uint64_t Changes() const { return changes_; }
    bool Empty() const { return count_ == 0; }

    // Depth first, children in order: the display order of an expanded tree.
    static TreeNode* NextInDisplayOrder(const TreeNode* node);

    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return updateDepth_ > 0; }

    TreeNode* Selected() const { return selected_; }
    void SetSelected(TreeNode* node);

private:
    TreeNode* NewNode(const std::string& caption, TRep* data);
    void Link(TreeNode* node, TreeNode* parent, TreeNode* before);
    void Unlink(TreeNode* node);
    std::size_t DestroySubtree(TreeNode* node);

    std::unique_ptr<TreeNode> rootHolder_;
    TreeNode* root_;
    TreeObserver* observer_ = nullptr;
    TreeNode* selected_ = nullptr;
    std::size_t count_ = 0;
    std::uint64_t changes_ = 0;
    int updateDepth_ = 0;
};

} // namespace tw
