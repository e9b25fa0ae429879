// Delivery profiles: which window gets which profile, the steps each kind plans, the elevated
// case, and the typing out of a reply as the executor runs it.
#include "delivery/clipboard_plan.h"
#include "delivery/delivery_notices.h"
#include "delivery/delivery_plan.h"
#include "delivery/delivery_profile.h"
#include "delivery/profile_settings.h"
#include "delivery/step_executor.h"
#include "fakes/fake_registry.h"
#include "settings/reg_proc.h"
#include "delivery_fakes.h"
#include "library/model_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tw::testing {
namespace {

TEST(DeliveryProfiles, TheMostSpecificMatchWinsAndWildcardsIgnoreCase) {
    const std::vector<DeliveryProfile> profiles = {
        {"any putty", "putty.exe", "", "", PasteMethod::ShiftInsert},
        {"putty on prod", "PuTTY.exe", "", "prod-* - PuTTY", PasteMethod::TypeOut},
        {"putty class and title", "putty.exe", "PuTTY", "*db?", PasteMethod::CtrlShiftV},
        {"no program", "", "", "*", PasteMethod::TypeOut},
        {"first of equals", "term.exe", "", "", PasteMethod::ShiftInsert},
        {"second of equals", "term.exe", "", "", PasteMethod::CtrlShiftV},
    };
    const struct {
        const char* program;
        const char* windowClass;
        const char* title;
        const char* profile; // null: none
    } cases[] = {
        {"putty.exe", "PuTTY", "web1 - PuTTY", "any putty"},
        {"PUTTY.EXE", "PuTTY", "PROD-db - putty", "putty on prod"},
        {"putty.exe", "putty", "prod-db1", "putty class and title"},
        {"putty.exe", "Other", "prod-db1", "any putty"},
        {"notepad.exe", "Notepad", "prod-x - PuTTY", nullptr},
        {"", "", "", nullptr},
        {"term.exe", "", "", "first of equals"},
    };
    for (const auto& c : cases) {
        TargetWindow window;
        window.program = c.program;
        window.windowClass = c.windowClass;
        window.title = c.title;
        const DeliveryProfile* found = MatchProfile(profiles, window);
        EXPECT_EQ(c.profile ? std::string(c.profile) : "none", found ? found->name : "none")
            << c.program << " " << c.title;
    }
    const struct {
        const char* pattern;
        const char* text;
        bool matches;
    } wildcards[] = {
        {"*", "", true},         {"a*c", "abbbc", true},
        {"a*c", "abbbd", false}, {"?b", "ab", true},
        {"?b", "b", false},      {"*.txt - *", "X.TXT - Ed", true},
        {"a**b", "ab", true},    {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    };
    for (const auto& w : wildcards) {
        EXPECT_EQ(w.matches, MatchesWildcard(w.pattern, w.text)) << w.pattern << " " << w.text;
    }
    // No default hides another: each is the one its program gets.
    const std::vector<DeliveryProfile> defaults = DefaultProfiles();
    for (const DeliveryProfile& d : defaults) {
        EXPECT_EQ(&d, MatchProfile(defaults, {d.program, "", "", {}, {}})) << d.name;
    }
}

struct ProfilePlans : ModelFixture {
    TRep* hello = Reply("Hello", nullptr, "1", "hi", "0K");
};

TEST_F(ProfilePlans, EachKindOfProfileRewritesOnlyThePasteAndTheKeys) {
    const DeliveryPlan typed = PlanTypedMacro(list, "hi");
    const DeliveryPlan hotKey = PlanHotKey(list, 0);
    const DeliveryProfile shiftInsert{"t", "t.exe", "", "", PasteMethod::ShiftInsert};
    const DeliveryProfile ctrlShiftV{"t", "t.exe", "", "", PasteMethod::CtrlShiftV, 0, 30};
    const DeliveryProfile typeOut{"r", "r.exe", "", "", PasteMethod::TypeOut, 10, 100};
    const TargetWindow plain{"t.exe", "", "", {}, {}};
    const TargetWindow elevated{"regedit.exe", "", "", {0x3000}, {0x2000}};
    const std::string erase = "Keys BSv BS^ BSv BS^ BSv BS^";
    const struct {
        const char* name;
        DeliveryPlan plan;
        std::vector<std::string> steps;
    } cases[] = {
        {"no profile: unchanged", ApplyProfile(typed, nullptr, plain), DescribePlan(typed)},
        {"shift+insert",
         ApplyProfile(typed, &shiftInsert, plain),
         {erase, "Select Hello", "ExpandAndCopy  = ", "Reload", "Keys Shiftv Insv Ins^ Shift^"}},
        {"ctrl+shift+v after a pause",
         ApplyProfile(hotKey, &ctrlShiftV, plain),
         {"Select Hello", "ExpandAndCopy", "Reload", "ReleaseModifierKeys", "WaitWhileCtrlDown",
          "Sleep 30", "Keys Ctrlv Shiftv Vv V^ Shift^ Ctrl^"}},
        {"typed out slowly",
         ApplyProfile(typed, &typeOut, plain),
         {erase + " every 10 ms", "Select Hello", "ExpandAndCopy  = ", "Reload", "Sleep 100",
          "TypeText every 10 ms"}},
        {"elevated: nothing injected, the user told",
         ApplyProfile(hotKey, &shiftInsert, elevated),
         {"Select Hello", "ExpandAndCopy, held for the notice", "Reload", "WaitWhileCtrlDown",
          "TellCannotType regedit.exe"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.steps, DescribePlan(c.plan)) << c.name;
    }
    // Every paste chord takes the clipboard, so the user's content is kept around it.
    EXPECT_TRUE(PlanPastes(ApplyProfile(typed, &shiftInsert, plain)));
    EXPECT_TRUE(PlanPastes(ApplyProfile(hotKey, &ctrlShiftV, plain)));
    EXPECT_FALSE(PlanPastes(ApplyProfile(typed, &typeOut, plain)));
}

std::size_t EventsIn(const std::string& line) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ' '));
}

TEST_F(ProfilePlans, TypingOutSendsUnicodeUnitsAndEnterInBatchesAndStopsWhenCut) {
    RecordingDelivery fake;
    fake.library = &list;
    // Captions go into the fake's reply source as they are: a line break and an emoji.
    TRep* rich = Reply("A\\par \\u-10179?\\u-8700?", nullptr, "2");
    fake.selected = rich->Node;
    StepExecutor(fake.Ports(), fake).Run({step::ExpandAndCopy{}, step::TypeText{}});
    // "A", Enter, the two halves of the emoji, then " first last 14:07".
    ASSERT_EQ(2u, fake.log.size());
    EXPECT_EQ(0u, fake.log[1].find("Keys U+65v U+65^ Enterv Enter^ U+55357v U+55357^ U+56836v "
                                   "U+56836^ U+32v"))
        << fake.log[1];
    EXPECT_EQ(2u * 21, EventsIn(fake.log[1]));

    TRep* longer = Reply(std::string(100, 'x'), nullptr, "3");
    // The emoji's two halves would fall on both sides of the first batch's end.
    TRep* pairAtEnd = Reply(std::string(31, 'x') + "\\u-10179?\\u-8700?", nullptr, "4");
    const std::size_t units = 100 + 17;
    const struct {
        TRep* reply;
        std::deque<std::size_t> inserted;
        std::vector<std::size_t> batches; // events per SendKeys call
        bool toldCut;
    } cases[] = {
        {longer, {}, {64, 64, 64, 2 * units - 192}, false},
        // The cut batch releases its last pressed key, then stops and says so.
        {longer, {64, 9}, {64, 64, 1}, true},
        {pairAtEnd, {}, {62, 4 + 2 * 17}, false},
    };
    for (const auto& c : cases) {
        fake.log.clear();
        fake.selected = c.reply->Node;
        fake.insertCounts = c.inserted;
        StepExecutor(fake.Ports(), fake).Run({step::ExpandAndCopy{}, step::TypeText{}});
        std::vector<std::size_t> batches;
        bool toldCut = false;
        for (const std::string& line : fake.log) {
            if (line.rfind("Keys", 0) == 0) {
                batches.push_back(EventsIn(line));
            }
            toldCut = toldCut || line.rfind("tell cut  offering {\\rtf1 xxx", 0) == 0;
        }
        EXPECT_EQ(c.batches, batches);
        EXPECT_EQ(c.toldCut, toldCut);
    }
}

TEST(DeliveryProfiles, InputIsDroppedOnlyByAProcessAboveUsOrOneWeMayNotRead) {
    constexpr long kLow = 0x1000, kMedium = 0x2000, kHigh = 0x3000, kSystem = 0x4000;
    const struct {
        IntegrityLevel theirs;
        IntegrityLevel ours;
        bool dropped;
    } cases[] = {
        {{kHigh}, {kMedium}, true},  {{kSystem}, {kHigh}, true}, {{kMedium}, {kMedium}, false},
        {{kMedium}, {kHigh}, false}, {{kLow}, {kMedium}, false}, {{-1, true}, {kHigh}, true},
        {{-1}, {kMedium}, false},    {{kHigh}, {-1}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.dropped, InputDroppedBy({"x.exe", "", "", c.theirs, c.ours}))
            << c.theirs.level << (c.theirs.denied ? " denied" : "") << " over " << c.ours.level;
    }
}

TEST(DeliveryProfiles, AnAdministratorsProgramIsToldOncePerRunAndTheClickCopiesOnce) {
    DeliveryNotices notices;
    const ReplyContent first{"{\\rtf1 first}", "", u"first"};
    const ReplyContent second{"{\\rtf1 second}", "", u"second"};
    const struct {
        DeliveryFailure failure;
        const char* program;
        const ReplyContent* reply;
        bool shown;
    } steps[] = {
        {DeliveryFailure::InputDropped, "regedit.exe", &first, true},
        {DeliveryFailure::InputDropped, "RegEdit.EXE", &second, false},
        {DeliveryFailure::InputDropped, "mmc.exe", &second, true},
        {DeliveryFailure::KeysCut, "", &first, true},
        {DeliveryFailure::KeysCut, "", &second, true},
    };
    std::vector<std::string> texts;
    for (const auto& s : steps) {
        const std::optional<DeliveryNotice> notice = notices.Failed(s.failure, s.program, *s.reply);
        EXPECT_EQ(s.shown, notice.has_value()) << s.program;
        if (notice) {
            texts.push_back(notice->text);
            EXPECT_EQ(*s.reply, notices.TakeOffered()) << "the reply of the notice shown last";
            EXPECT_EQ(std::nullopt, notices.TakeOffered()) << "a second click copies nothing";
        }
    }
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ("Textwright cannot type into programs running as administrator (regedit.exe). "
              "Click here to copy the reply to the clipboard instead.",
              texts[0]);
    EXPECT_NE(std::string::npos, texts[2].find("only part of the keys"));
    // Keys cut before any reply was made: nothing to offer, and the notice does not offer it.
    const auto bare = notices.Failed(DeliveryFailure::KeysCut, "", ReplyContent{});
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(std::string::npos, bare->text.find("Click here"));
    EXPECT_EQ(std::nullopt, notices.TakeOffered());
}

TEST(DeliveryProfiles, TheSettingsKeepEveryFieldAndADamagedValueCostsOnlyItsProfile) {
    fakes::FakeRegistry reg;
    const std::string settings = "Software\\Test";
    const std::string key = settings + "\\Profiles";
    EXPECT_EQ(DefaultProfiles(), LoadDeliveryProfiles(reg, settings)) << "a first start";

    const std::vector<DeliveryProfile> mine = {
        {"Prod\tshell", "putty.exe", "PuTTY", "prod-*", PasteMethod::ShiftInsert, 0, 0, false},
        {"Citrix", "wfica32.exe", "", "", PasteMethod::TypeOut, 25, 150, true},
        {"", "x.exe", "", "", PasteMethod::CtrlShiftV, 0, 0, true},
    };
    ASSERT_TRUE(SaveDeliveryProfiles(reg, settings, mine));
    std::vector<DeliveryProfile> back = LoadDeliveryProfiles(reg, settings);
    ASSERT_EQ(3u, back.size());
    EXPECT_EQ("Prod shell", back[0].name) << "a tab would split the record";
    back[0].name = mine[0].name;
    EXPECT_EQ(mine, back);

    ASSERT_TRUE(SaveDeliveryProfiles(reg, settings, {}));
    EXPECT_TRUE(LoadDeliveryProfiles(reg, settings).empty()) << "removed defaults stay removed";
    EXPECT_FALSE(reg.Read(key, "1")) << "no stale value is left behind";

    const std::string good = EncodeProfile(mine[1]);
    const struct {
        const char* name;
        RegValue value;
    } damaged[] = {
        {"too few fields", {RegType::String, {'a', '\t', 'b'}}},
        {"no program",
         {RegType::String, {'\t', '\t', '\t', '\t', '0', '\t', '0', '\t', '0', '\t', '1'}}},
        {"paste out of range",
         {RegType::String,
          {'n', '\t', 'p', '\t', '\t', '\t', '9', '\t', '0', '\t', '0', '\t', '1'}}},
        {"negative delay",
         {RegType::String,
          {'n', '\t', 'p', '\t', '\t', '\t', '0', '\t', '-', '1', '\t', '0', '\t', '1'}}},
        {"an integer instead of text", {RegType::Integer, {1, 0, 0, 0}}},
    };
    ASSERT_TRUE(RegWriteInteger(reg, key, "Count", 7));
    ASSERT_TRUE(RegWriteString(reg, key, "1", good));
    int slot = 2;
    for (const auto& d : damaged) {
        ASSERT_TRUE(reg.Write(key, std::to_string(slot++), d.value)) << d.name;
    }
    // Slot 7 is missing altogether.
    EXPECT_EQ((std::vector<DeliveryProfile>{mine[1]}), LoadDeliveryProfiles(reg, settings));
    ASSERT_TRUE(RegWriteInteger(reg, key, "Count", -5));
    EXPECT_TRUE(LoadDeliveryProfiles(reg, settings).empty());
}

} // namespace
} // namespace tw::testing
