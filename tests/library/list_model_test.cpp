#include "fakes/recording_tree_observer.h"
#include "library/list_model.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(ListModel, AppendRebuildAndSelectionAreMirrored) {
    ListModel list;
    fakes::RecordingListObserver observer;
    list.SetObserver(&observer);
    list.Append("one", nullptr);
    list.Append("Two", nullptr);
    list.SetSelected(1);
    list.SetSelected(5); // out of range: none
    list.Rebuild({{"x", nullptr}, {"y", nullptr}, {"z", nullptr}});
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Selected(), -1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"append one", "append Two", "select 1",
                                                         "select -1", "reset 3", "reset 0"}));
}

TEST(ListModel, IndexOfTextIgnoresAsciiCaseOnly) {
    ListModel list;
    list.Append("Sig", nullptr);
    list.Append("caf\xE9", nullptr);
    EXPECT_EQ(list.IndexOfText("sIG"), 0);
    EXPECT_EQ(list.IndexOfText("CAF\xE9"), 1);
    EXPECT_EQ(list.IndexOfText("caf\xC9"), -1);
    EXPECT_EQ(list.IndexOfText("si"), -1);
}

} // namespace
} // namespace tw
