#include "fakes/recording_tree_observer.h"
#include "library/reply_tree.h"

#include <gtest/gtest.h>

#include <vector>

namespace tw {
namespace {

// Captions in display order, each prefixed by its depth in dots.
std::string Shape(const ReplyTree& tree) {
    std::string out;
    for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
        out += std::string(static_cast<std::size_t>(n->Level()), '.') + n->Caption() + " ";
    }
    return out;
}

struct TreeFixture : ::testing::Test {
    ReplyTree tree;
    fakes::RecordingTreeObserver observer;
    TreeNode* a = nullptr;
    TreeNode* a1 = nullptr;
    TreeNode* a2 = nullptr;
    TreeNode* b = nullptr;

    void SetUp() override {
        a = tree.AddChild(nullptr, "a", nullptr);
        a1 = tree.AddChild(a, "a1", nullptr);
        a2 = tree.AddChild(a, "a2", nullptr);
        b = tree.AddChild(nullptr, "b", nullptr);
        tree.SetObserver(&observer);
    }
};

TEST_F(TreeFixture, KeepsOrderParentsAndCounts) {
    EXPECT_EQ(Shape(tree), "a .a1 .a2 b ");
    EXPECT_EQ(tree.Count(), 4u);
    EXPECT_EQ(tree.TopLevelCount(), 2u);
    EXPECT_EQ(a->ChildCount(), 2u);
    EXPECT_EQ(a1->Parent(), a);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(a2->IndexInParent(), 1u);
    EXPECT_EQ(b->PrevSibling(), a);
}

TEST_F(TreeFixture, InsertBeforePlacesNodeAndTellsObserver) {
    TreeNode* x = tree.InsertBefore(a2, "x", nullptr);
    TreeNode* y = tree.InsertBefore(a, "y", nullptr);
    EXPECT_EQ(Shape(tree), "y a .a1 .x .a2 b ");
    EXPECT_EQ(x->Parent(), a);
    EXPECT_EQ(tree.FirstNode(), y);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"insert x", "insert y"}));
}

TEST_F(TreeFixture, RemoveTakesSubtreeAndClearsSelectionInside) {
    tree.SetSelected(a2);
    observer.events.clear();
    tree.Remove(a);
    EXPECT_EQ(Shape(tree), "b ");
    EXPECT_EQ(tree.Count(), 1u);
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"remove a", "select -"}));
}

TEST_F(TreeFixture, RemovingUnselectedNodeKeepsSelection) {
    tree.SetSelected(b);
    tree.Remove(a1);
    EXPECT_EQ(tree.Selected(), b);
    EXPECT_EQ(Shape(tree), "a .a2 b ");
    EXPECT_EQ(a->FirstChild(), a2);
    EXPECT_EQ(a->ChildCount(), 1u);
}

TEST_F(TreeFixture, MovesNodesAndRefusesMovesIntoOwnSubtree) {
    EXPECT_TRUE(tree.MoveBefore(b, a2));
    EXPECT_EQ(Shape(tree), "a .a1 .b .a2 ");
    EXPECT_TRUE(tree.MoveAsLastChild(a1, nullptr));
    EXPECT_EQ(Shape(tree), "a .b .a2 a1 ");
    EXPECT_FALSE(tree.MoveAsLastChild(a, b));
    EXPECT_FALSE(tree.MoveBefore(a, a2));
    EXPECT_FALSE(tree.MoveBefore(a, a));
    EXPECT_EQ(Shape(tree), "a .b .a2 a1 ");
    EXPECT_EQ(observer.events, (std::vector<std::string>{"move b", "move a1"}));
}

TEST_F(TreeFixture, CaptionSelectionAndNestedUpdatesAreReported) {
    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.SetCaption(b, "bee");
    tree.SetSelected(b);
    tree.SetSelected(b);
    tree.EndUpdate();
    EXPECT_TRUE(tree.IsUpdating());
    tree.EndUpdate();
    tree.EndUpdate(); // unbalanced: ignored
    EXPECT_FALSE(tree.IsUpdating());
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"begin", "caption bee", "select bee", "end"}));
}

TEST(ReplyTree, ClearAndDeepTreesDoNotExhaustTheStack) {
    ReplyTree tree;
    TreeNode* n = nullptr;
    for (int i = 0; i < 100000; ++i) {
        n = tree.AddChild(n, "n", nullptr);
    }
    EXPECT_EQ(n->Level(), 99999);
    tree.Clear();
    EXPECT_TRUE(tree.Empty());
    EXPECT_EQ(tree.FirstNode(), nullptr);
}

} // namespace
} // namespace tw
