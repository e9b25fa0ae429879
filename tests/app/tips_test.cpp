#include "app/tips.h"

#include <gtest/gtest.h>

#include <set>

namespace tw {
namespace {

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values)) {}
    int Below(int bound) override {
        bounds.push_back(bound);
        return values_.at(next_++ % values_.size());
    }
    std::vector<int> bounds;

private:
    std::vector<int> values_;
    std::size_t next_ = 0;
};

TEST(Tips, TenDistinctTipsInTheirOrder) {
    const auto& tips = StandardTips();
    ASSERT_EQ(10u, tips.size());
    EXPECT_EQ(10u, std::set<std::string>(tips.begin(), tips.end()).size());
    EXPECT_EQ(0u, tips[0].find("To force a newline"));
    EXPECT_EQ("Assign parametric macro to a reply to customize it. This allows you to make reply "
              "insertions (Name, URL, etc..) on the fly.",
              tips[9]);
}

TEST(TipPicker, DrawsOverTheWholeListAndMayRepeat) {
    ScriptedRandom random({3, 3, 9, 0});
    TipPicker picker(StandardTips(), random);
    EXPECT_EQ(StandardTips()[3], picker.Pick());
    EXPECT_EQ(StandardTips()[3], picker.Pick());
    EXPECT_EQ(StandardTips()[9], picker.Pick());
    EXPECT_EQ(StandardTips()[0], picker.Pick());
    EXPECT_EQ((std::vector<int>{10, 10, 10, 10}), random.bounds);
    EXPECT_TRUE(picker.NextEnabled());
}

TEST(TipPicker, OneTipDisablesNextAndNoTipsSaySo) {
    ScriptedRandom random({0});
    TipPicker one({"only"}, random);
    EXPECT_EQ("only", one.Pick());
    EXPECT_FALSE(one.NextEnabled());
    TipPicker none({}, random);
    EXPECT_EQ("Sorry, the list of tips is empty...", none.Pick());
    EXPECT_FALSE(none.NextEnabled());
}

TEST(TipPicker, AnOutOfRangeDrawNeverIndexesPastTheList) {
    ScriptedRandom random({10, -1});
    TipPicker picker({"a", "b"}, random);
    EXPECT_EQ("a", picker.Pick());
    EXPECT_EQ("a", picker.Pick());
}

} // namespace
} // namespace tw
