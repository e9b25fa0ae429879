#pragma once
// A library model with its tree and list boxes, observed, and helpers to build it in memory.
#include "fakes/recording_message_boxes.h"
#include "fakes/recording_tree_observer.h"
#include "library/rep_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::testing {

struct ModelFixture : ::testing::Test {
    ReplyTree tree;
    ListModel hotKeyBox;
    ListModel macroBox;
    fakes::RecordingMessageBoxes boxes;
    fakes::RecordingListObserver hotKeyEvents;
    fakes::RecordingListObserver macroEvents;
    TRepList list{tree, hotKeyBox, macroBox, &boxes};

    ModelFixture() {
        hotKeyBox.SetObserver(&hotKeyEvents);
        macroBox.SetObserver(&macroEvents);
    }

    TRep* Folder(const std::string& name, TRep* parent, const std::string& id) {
        TRep* rep = list.At(list.AddItem(name, parent ? parent->Node : nullptr));
        rep->FolderId = id;
        return rep;
    }

    TRep* Reply(const std::string& name, TRep* parent, const std::string& id,
                const std::string& macro = "", const std::string& hotKey = "") {
        TRep* rep = list.At(list.AddItem(name, parent ? parent->Node : nullptr));
        rep->FileName = id + ".rep";
        list.Macros.Add(macro, rep);
        list.HotKeys.Add(hotKey, rep);
        return rep;
    }

    static std::vector<std::string> Texts(const ListModel& box) {
        std::vector<std::string> out;
        for (const auto& item : box.Items()) {
            out.push_back(item.text);
        }
        return out;
    }

    std::vector<std::string> MacroEntries() const {
        std::vector<std::string> out;
        for (int i = 0; i < list.Macros.Count(); ++i) {
            out.push_back(list.Macros.Get(i));
        }
        return out;
    }

    // Every node's TRep is in the list at its place, and the list holds nothing else.
    void ExpectTreeAndListAgree() const {
        std::size_t nodes = 0;
        for (TreeNode* n = tree.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            ++nodes;
            ASSERT_NE(n->Data(), nullptr);
            EXPECT_EQ(n->Data()->Node, n);
        }
        EXPECT_EQ(static_cast<std::size_t>(list.Count()), nodes);
        for (int i = 0; i < list.Count(); ++i) {
            EXPECT_EQ(list.At(i)->Node->Data(), list.At(i));
        }
    }
};

} // namespace tw::testing
