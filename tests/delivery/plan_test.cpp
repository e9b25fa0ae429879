// The steps each delivery path plans, for every variant.
#include "delivery/delivery_plan.h"
#include "library/model_fixture.h"

#include <gtest/gtest.h>

namespace tw::testing {
namespace {

std::string Backspaces(int count) {
    std::string keys = "Keys";
    for (int i = 0; i < count; ++i) {
        keys += " BSv BS^";
    }
    return keys;
}

const char* const kCtrlV = "Keys Ctrlv Vv V^ Ctrl^";

struct Plans : ModelFixture {
    Plans() {
        hello = Reply("Hello", nullptr, "1", "hello");
        sig = Reply("Sig", nullptr, "2", "sig(first,last)");
        Reply("Kay", nullptr, "3", "", "0K");
    }
    TRep* hello;
    TRep* sig;
};

TEST_F(Plans, EveryPathAndVariant) {
    const auto typed = [this](const std::string& word) { return PlanTypedMacro(list, word); };
    const auto paste = PlanEditorInLastActive;
    const auto copy = PlanEditorCopyEntire;
    const struct {
        const char* name;
        DeliveryPlan plan;
        std::vector<std::string> steps;
    } cases[] = {
        {"typed, no macro", typed("helo"), {}},
        {"typed, name part alone", typed("sig"), {}},
        {"typed, simple",
         typed("hello"),
         {Backspaces(6), "Select Hello", "ExpandAndCopy  = ", "Reload", kCtrlV}},
        {"typed, other case",
         typed("HeLLo"),
         {Backspaces(6), "Select Hello", "ExpandAndCopy  = ", "Reload", kCtrlV}},
        {"typed, parametric",
         typed("sig(Ann,Lee)"),
         {Backspaces(13), "Select Sig", "ExpandAndCopy first,last = Ann|Lee", "Reload", kCtrlV}},
        {"typed, fewer values",
         typed("sig(Ann)"),
         {Backspaces(9), "Select Sig", "ExpandAndCopy first,last = Ann", "Reload", kCtrlV}},
        {"typed, more values",
         typed("sig(Ann,Lee,Bo)"),
         {Backspaces(16), "Select Sig", "ExpandAndCopy first,last = Ann|Lee|Bo", "Reload", kCtrlV}},
        {"typed, no closing parenthesis",
         typed("sig(Ann"),
         {Backspaces(8), "Select Sig", "ExpandAndCopy first,last = ", "Reload", kCtrlV}},
        {"hot key gone", PlanHotKey(list, 1), {}},
        {"paste, setting 1, no fields",
         paste({true, 1, "", 7}),
         {"RememberSelection", "ExpandAndCopy", "Sleep 50", "Activate 7", "Keys Ctrlv Vv V^ Ctrl^",
          "Reload"}},
        {"paste, no last window", paste({true, 1, "first,last", 0}), {}},
        {"paste, no reply", paste({false, 0, "", 7}), {}},
        {"copy, no reply", copy({false, 1, "first,last", 7}), {}},
        {"picker, paste, no fields",
         PlanPickerDelivery({hello, 1, "", 0, 0, 7}),
         {"Select Hello", "ExpandAndCopy", "Reload", "StopUnlessWindowExists 7", "Sleep 50",
          "Activate 7", kCtrlV}},
        {"picker, paste, fields asked",
         PlanPickerDelivery({sig, 1, "first,last", 40, 60, 7}),
         {"AskFieldValues first,last at drop point 40,60", "Select Sig",
          "ExpandAndCopy first,last = answers", "Reload", "StopUnlessWindowExists 7", "Sleep 50",
          "Activate 7", kCtrlV}},
        {"picker, fields not asked by the setting",
         PlanPickerDelivery({sig, 0, "first,last", 40, 60, 0}),
         {"Select Sig", "ExpandAndCopy", "Reload"}},
        {"picker, copy only",
         PlanPickerDelivery({hello, 1, "", 0, 0, 0}),
         {"Select Hello", "ExpandAndCopy", "Reload"}},
        {"picker, nothing chosen", PlanPickerDelivery({nullptr, 1, "", 0, 0, 7}), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.steps, DescribePlan(c.plan)) << c.name;
    }
}

} // namespace
} // namespace tw::testing
