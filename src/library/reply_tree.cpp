#include "library/reply_tree.h"

namespace tw {

TreeNode* TreeNode::Parent() const {
    return (parent_ && !parent_->isRoot_) ? parent_ : nullptr;
}

std::size_t TreeNode::IndexInParent() const {
    std::size_t index = 0;
    for (const TreeNode* n = prev_; n; n = n->prev_) {
        ++index;
    }
    return index;
}

int TreeNode::Level() const {
    int level = 0;
    for (const TreeNode* p = Parent(); p; p = p->Parent()) {
        ++level;
    }
    return level;
}

bool TreeNode::IsAncestorOf(const TreeNode* other) const {
    for (; other; other = other->Parent()) {
        if (other == this) {
            return true;
        }
    }
    return false;
}

ReplyTree::ReplyTree() : rootHolder_(new TreeNode()), root_(rootHolder_.get()) {
    root_->isRoot_ = true;
}

ReplyTree::~ReplyTree() {
    while (root_->firstChild_) {
        TreeNode* n = root_->firstChild_;
        Unlink(n);
        DestroySubtree(n);
    }
}

TreeNode* ReplyTree::NewNode(const std::string& caption, TRep* data) {
    auto* node = new TreeNode();
    node->caption_ = caption;
    node->data_ = data;
    return node;
}

void ReplyTree::Link(TreeNode* node, TreeNode* parent, TreeNode* before) {
    node->parent_ = parent;
    node->next_ = before;
    node->prev_ = before ? before->prev_ : parent->lastChild_;
    if (node->prev_) {
        node->prev_->next_ = node;
    } else {
        parent->firstChild_ = node;
    }
    if (before) {
        before->prev_ = node;
    } else {
        parent->lastChild_ = node;
    }
    ++parent->childCount_;
    ++changes_;
}

void ReplyTree::Unlink(TreeNode* node) {
    TreeNode* parent = node->parent_;
    if (node->prev_) {
        node->prev_->next_ = node->next_;
    } else {
        parent->firstChild_ = node->next_;
    }
    if (node->next_) {
        node->next_->prev_ = node->prev_;
    } else {
        parent->lastChild_ = node->prev_;
    }
    --parent->childCount_;
    ++changes_;
    node->parent_ = node->next_ = node->prev_ = nullptr;
}

std::size_t ReplyTree::DestroySubtree(TreeNode* node) {
    std::size_t destroyed = 0;
    // Iterative, so that a very deep tree cannot exhaust the stack.
    TreeNode* n = node;
    while (n) {
        if (n->firstChild_) {
            n = n->firstChild_;
            continue;
        }
        TreeNode* parent = n == node ? nullptr : n->parent_;
        if (parent) {
            parent->firstChild_ = n->next_;
            if (n->next_) {
                n->next_->prev_ = nullptr;
            } else {
                parent->lastChild_ = nullptr;
            }
        }
        if (n == selected_) {
            selected_ = nullptr;
        }
        delete n;
        ++destroyed;
        n = parent;
    }
    count_ -= destroyed;
    return destroyed;
}

TreeNode* ReplyTree::AddChild(TreeNode* parent, const std::string& caption, TRep* data) {
    TreeNode* node = NewNode(caption, data);
    Link(node, parent ? parent : root_, nullptr);
    ++count_;
    if (observer_) {
        observer_->NodeInserted(node);
    }
    return node;
}

TreeNode* ReplyTree::InsertBefore(TreeNode* sibling, const std::string& caption, TRep* data) {
    if (!sibling) {
        return AddChild(nullptr, caption, data);
    }
    TreeNode* node = NewNode(caption, data);
    Link(node, sibling->parent_, sibling);
    ++count_;
    if (observer_) {
        observer_->NodeInserted(node);
    }
    return node;
}

void ReplyTree::Remove(TreeNode* node) {
    if (!node) {
        return;
    }
    const bool hadSelection = node->IsAncestorOf(selected_);
    if (observer_) {
        observer_->NodeRemoving(node);
    }
    Unlink(node);
    DestroySubtree(node);
    if (hadSelection && observer_) {
        observer_->SelectionChanged(nullptr);
    }
}

void ReplyTree::Clear() {
    BeginUpdate();
    while (root_->firstChild_) {
        Remove(root_->firstChild_);
    }
    EndUpdate();
}

void ReplyTree::SetCaption(TreeNode* node, const std::string& caption) {
    node->caption_ = caption;
    ++changes_;
    if (observer_) {
        observer_->CaptionChanged(node);
    }
}

bool ReplyTree::MoveBefore(TreeNode* node, TreeNode* target) {
    if (!target) {
        return MoveAsLastChild(node, nullptr);
    }
    if (node == target || node->IsAncestorOf(target)) {
        return false;
    }
    Unlink(node);
    Link(node, target->parent_, target);
    if (observer_) {
        observer_->NodeMoved(node);
    }
    return true;
}

bool ReplyTree::MoveAsLastChild(TreeNode* node, TreeNode* parent) {
    if (parent && node->IsAncestorOf(parent)) {
        return false;
    }
    Unlink(node);
    Link(node, parent ? parent : root_, nullptr);
    if (observer_) {
        observer_->NodeMoved(node);
    }
    return true;
}

TreeNode* ReplyTree::NextInDisplayOrder(const TreeNode* node) {
    if (node->firstChild_) {
        return node->firstChild_;
    }
    for (const TreeNode* n = node; n && !n->isRoot_; n = n->parent_) {
        if (n->next_) {
            return n->next_;
        }
    }
    return nullptr;
}

void ReplyTree::BeginUpdate() {
    if (updateDepth_++ == 0 && observer_) {
        observer_->UpdateBegun();
    }
}

void ReplyTree::EndUpdate() {
    if (updateDepth_ == 0) {
        return;
    }
    if (--updateDepth_ == 0 && observer_) {
        observer_->UpdateEnded();
    }
}

void ReplyTree::SetSelected(TreeNode* node) {
    if (node == selected_) {
        return;
    }
    selected_ = node;
    if (observer_) {
        observer_->SelectionChanged(node);
    }
}

} // namespace tw
