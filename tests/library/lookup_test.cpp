// Finding and assigning macros and hot keys.
#include "model_fixture.h"

namespace tw {
namespace {

using testing::ModelFixture;

struct MacroCase {
    std::vector<std::string> stored;
    std::string typed;
    std::string found; // the stored macro found, empty for none
    std::string fields;
    std::string values;
};

class FindMacroTest : public ModelFixture, public ::testing::WithParamInterface<MacroCase> {};

TEST_P(FindMacroTest, FindsByNameAndSplitsParameterLists) {
    const MacroCase& c = GetParam();
    int id = 1;
    for (const auto& m : c.stored) {
        Reply(m, nullptr, std::to_string(id++), m);
    }
    std::string fields = "unset", values = "unset";
    const int p = list.FindMacro(c.typed, &fields, &values);
    if (c.found.empty()) {
        EXPECT_EQ(p, -1);
        return;
    }
    ASSERT_GE(p, 0);
    EXPECT_EQ(list.Macros.Get(p), c.found);
    EXPECT_EQ(list.MacroRep(p)->Caption(), c.found);
    EXPECT_EQ(fields, c.fields);
    EXPECT_EQ(values, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindMacroTest,
    ::testing::Values(
        MacroCase{{"addr(Name,City)"},
                  "addr(Jones,Paris)",
                  "addr(Name,City)",
                  "Name,City",
                  "Jones\x01Paris"},
        MacroCase{{"addr(Name,City)"}, "addr(x)", "addr(Name,City)", "Name,City", "x"},
        MacroCase{{"addr(Name,City)"}, "addr()", "addr(Name,City)", "Name,City", ""},
        MacroCase{{"addr(Name,City)"}, "ADDR(x)", "addr(Name,City)", "Name,City", "x"},
        MacroCase{{"addr(Name,City)"}, "addr(x", "addr(Name,City)", "Name,City", ""},
        MacroCase{{"addr(Name,City)"}, "addr", "", "", ""},
        MacroCase{{"addr", "addr(Name)"}, "addr", "addr", "", ""},
        MacroCase{{"addr", "addr(Name)"}, "addr(y)", "addr(Name)", "Name", "y"},
        MacroCase{{"sig"}, "SIG", "sig", "", ""}, MacroCase{{"sig"}, "sig(x)", "", "", ""},
        MacroCase{{"sig"}, "si", "", "", ""}, MacroCase{{"sig"}, "sigs", "", "", ""},
        MacroCase{{"zz"}, "zzz(", "", "", ""}, MacroCase{{}, "anything", "", "", ""},
        MacroCase{{"a(b,,c)"}, "a(,,)", "a(b,,c)", "b,,c", "\x01\x01"},
        MacroCase{{"ab", "ab(x)", "abc(y)"},
                  "abc(1,2)",
                  "abc(y)",
                  "y",
                  "1\x01"
                  "2"}));

TEST_F(ModelFixture, FindHotKeyIgnoresCase) {
    TRep* r = Reply("r", nullptr, "1", "", "0A");
    EXPECT_EQ(list.FindHotKey("0a"), 0);
    EXPECT_EQ(list.HotKeyRep(list.FindHotKey("0a")), r);
    EXPECT_EQ(list.HotKeyAt(0), "0A");
    EXPECT_EQ(list.HotKeyCount(), 1);
    EXPECT_EQ(list.FindHotKey("1A"), -1);
}

TEST_F(ModelFixture, SetHotKeyRefusesAKeyHeldByAnotherReply) {
    TRep* a = Reply("a", nullptr, "1", "", "0A");
    TRep* b = Reply("b", nullptr, "2", "", "0B");
    EXPECT_EQ(list.SetHotKey(b, "0A"), Assignment::HeldByAnother);
    EXPECT_EQ(list.HotKeyAt(list.HotKeyIndexOf(a)), "0A");
    EXPECT_EQ(list.HotKeyAt(list.HotKeyIndexOf(b)), "0B");
    EXPECT_EQ(list.SetHotKey(a, "0A"), Assignment::Unchanged);
    EXPECT_EQ(list.SetHotKey(a, "0a"), Assignment::Unchanged);
}

TEST_F(ModelFixture, SetHotKeyAssignsChangesAndClears) {
    TRep* a = Reply("a", nullptr, "1");
    Reply("b", nullptr, "2", "", "05");
    EXPECT_EQ(list.SetHotKey(a, "1Q"), Assignment::Assigned);
    EXPECT_EQ(Texts(hotKeyBox),
              (std::vector<std::string>{"<CTRL>+<ALT>+5", "<CTRL>+<ALT>+<SHIFT>+Q"}));
    EXPECT_EQ(hotKeyBox.Selected(), 1);
    EXPECT_EQ(list.SetHotKey(a, "0C"), Assignment::Assigned);
    EXPECT_EQ(Texts(hotKeyBox), (std::vector<std::string>{"<CTRL>+<ALT>+5", "<CTRL>+<ALT>+C"}));
    EXPECT_EQ(hotKeyBox.Selected(), 1);
    EXPECT_EQ(list.HotKeyCount(), 2);
    list.SetHotKey(a, "");
    EXPECT_EQ(list.HotKeyIndexOf(a), -1);
    EXPECT_EQ(Texts(hotKeyBox), (std::vector<std::string>{"<CTRL>+<ALT>+5"}));
    EXPECT_EQ(hotKeyBox.Selected(), -1);
}

TEST_F(ModelFixture, SetMacroShowsTheNewMacroSelectedAtItsPlace) {
    Reply("a", nullptr, "1", "aa");
    Reply("b", nullptr, "2", "zzz");
    TRep* c = Reply("c", nullptr, "3");
    list.Macros.Refresh();
    EXPECT_EQ(list.SetMacro(c, "zz"), Assignment::Assigned);
    EXPECT_EQ(Texts(macroBox), (std::vector<std::string>{"aa", "zz", "zzz"}));
    EXPECT_EQ(macroBox.Selected(), 1);
}

TEST_F(ModelFixture, SetMacroUniquenessRules) {
    TRep* a = Reply("a", nullptr, "1", "addr(B)");
    TRep* b = Reply("b", nullptr, "2");
    TRep* c = Reply("c", nullptr, "3", "sig");
    EXPECT_EQ(list.SetMacro(b, "addr(A)"), Assignment::HeldByAnother);
    EXPECT_EQ(list.SetMacro(b, "ADDR(z)"), Assignment::HeldByAnother);
    EXPECT_EQ(list.SetMacro(b, "SIG"), Assignment::HeldByAnother);
    EXPECT_EQ(list.MacroIndexOf(b), -1);
    // A plain macro and a parametric one with the same name part may belong to two replies.
    EXPECT_EQ(list.SetMacro(b, "addr"), Assignment::Assigned);
    // A reply may change the case or the parameters of its own macro.
    EXPECT_EQ(list.SetMacro(a, "Addr(Name,City)"), Assignment::Assigned);
    EXPECT_EQ(list.Macros.Get(list.MacroIndexOf(a)), "Addr(Name,City)");
    EXPECT_EQ(list.SetMacro(c, "Sig"), Assignment::Assigned);
    EXPECT_EQ(MacroEntries(), (std::vector<std::string>{"addr", "Addr(Name,City)", "Sig"}));
}

TEST_F(ModelFixture, SetMacroEmptyClearsOrDoesNothing) {
    TRep* a = Reply("a", nullptr, "1");
    TRep* b = Reply("b", nullptr, "2", "bee");
    list.Macros.Refresh();
    macroEvents.events.clear();
    list.SetMacro(a, "");
    EXPECT_TRUE(macroEvents.events.empty());
    EXPECT_EQ(list.Macros.Count(), 1);
    list.SetMacro(b, "");
    EXPECT_EQ(list.Macros.Count(), 0);
    EXPECT_EQ(macroBox.Count(), 0);
    EXPECT_EQ(macroBox.Selected(), -1);
}

} // namespace
} // namespace tw
