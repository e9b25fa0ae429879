#pragma once
// Records what a tree view or a list box mirroring the core models would have been told.
#include "library/list_model.h"
#include "library/reply_tree.h"

#include <string>
#include <vector>

namespace tw::fakes {

class RecordingTreeObserver : public TreeObserver {
public:
    std::vector<std::string> events;

    void NodeInserted(TreeNode* node) override { events.push_back("insert " + node->Caption()); }
    void NodeRemoving(TreeNode* node) override { events.push_back("remove " + node->Caption()); }
    void NodeMoved(TreeNode* node) override { events.push_back("move " + node->Caption()); }
    void CaptionChanged(TreeNode* node) override { events.push_back("caption " + node->Caption()); }
    void SelectionChanged(TreeNode* node) override {
        events.push_back("select " + (node ? node->Caption() : std::string("-")));
    }
    void UpdateBegun() override { events.push_back("begin"); }
    void UpdateEnded() override { events.push_back("end"); }
};

class RecordingListObserver : public ListObserver {
public:
    std::vector<std::string> events;

    void ListReset(const ListModel& list) override {
        events.push_back("reset " + std::to_string(list.Count()));
    }
    void ItemAppended(const ListModel& list, int index) override {
        events.push_back("append " + list.Item(index).text);
    }
    void SelectionChanged(const ListModel&, int index) override {
        events.push_back("select " + std::to_string(index));
    }
};

} // namespace tw::fakes
