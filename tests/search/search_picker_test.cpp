// The picker as the user drives it: rows for what is typed, the preview as it would arrive,
// and what Enter, Ctrl+Enter and Esc deliver.
#include "expansion/local_clock.h"
#include "library/hot_key.h"
#include "library/model_fixture.h"
#include "platform/files.h"
#include "ui/search_picker.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tw {
namespace {

// "name | folder | trigger" each.
std::vector<std::string> Described(const std::vector<PickerRow>& rows) {
    std::vector<std::string> out;
    for (const PickerRow& r : rows) {
        out.push_back(r.name + " | " + r.folder + " | " + r.trigger);
    }
    return out;
}

struct PickerView : SearchPickerView {
    std::vector<std::string> rows;
    int highlighted = -2;
    std::u16string preview;
    int closed = 0;
    void ShowRows(const std::vector<PickerRow>& shown, int row) override {
        rows = Described(shown);
        highlighted = row;
    }
    void HighlightRow(int row) override { highlighted = row; }
    void ShowPreview(const std::u16string& text) override { preview = text; }
    void ClosePicker() override { ++closed; }
};

struct Deliveries : PickerDeliveryPort {
    std::vector<std::vector<std::string>> plans;
    void DeliverPicked(const DeliveryPlan& plan, WindowHandle) override {
        plans.push_back(DescribePlan(plan));
    }
};

struct Clock : LocalClock {
    LocalDateTime Now() override { return {2026, 12, 9, 8, 30, 0}; }
};

struct Picker : testing::ModelFixture {
    PickerView view;
    Deliveries deliveries;
    Clock clock;
    RecentReplies recent;
    SearchPicker picker{{list, recent, view, clock, deliveries}};
    TRep* hello = nullptr;

    Picker() {
        hello = Reply("Hello", nullptr, "1", "hello");
        TRep* letters = Folder("Letters", nullptr, "4");
        TRep* sig = Reply("Signature", letters, "2", "sig(name)", "0K");
        list.SetBody(hello, {"{\\rtf1\\ansi Hello, sent on %ShortDate.}"});
        list.SetBody(sig, {"{\\rtf1\\ansi Best regards, name}"});
    }
};

TEST_F(Picker, TypingNarrowsTheRowsAndThePreviewShowsTheExpandedReply) {
    recent.Delivered(std::string("4") + kPathSep + "2.rep");
    picker.Open(77, 300, 200);
    ASSERT_EQ((std::vector<std::string>{"Signature | Letters | sig(name)", "Hello |  | hello"}),
              view.rows)
        << "an empty query lists the recent reply first";
    EXPECT_EQ(0, view.highlighted);
    EXPECT_EQ(u"Best regards, name", view.preview);

    picker.QueryChanged("HEL");
    EXPECT_EQ((std::vector<std::string>{"Hello |  | hello"}), view.rows);
    EXPECT_EQ(u"Hello, sent on 12/9/2026.", view.preview)
        << "placeholders are filled as a delivery fills them";

    picker.QueryChanged("regards");
    EXPECT_TRUE(view.rows.empty()) << "texts are not searched before they are read";
    EXPECT_EQ(-1, view.highlighted);
    EXPECT_FALSE(picker.ReadTexts(10));
    EXPECT_EQ((std::vector<std::string>{"Signature | Letters | sig(name)"}), view.rows)
        << "the texts read show their rows";
}

TEST_F(Picker, TextsReadOnceServeTheNextOpeningUntilTheyChange) {
    picker.Open(77, 300, 200);
    while (picker.ReadTexts(1)) {
    }
    picker.Cancel();
    list.SetBody(hello, {"{\\rtf1\\ansi Hello, welcome aboard.}"});
    picker.Open(77, 300, 200);
    picker.QueryChanged("sent");
    EXPECT_EQ((std::vector<std::string>{"Hello |  | hello"}), view.rows)
        << "the text known before matches at once";
    picker.QueryChanged("welcome");
    EXPECT_TRUE(view.rows.empty());
    EXPECT_FALSE(picker.ReadTexts(10));
    EXPECT_EQ((std::vector<std::string>{"Hello |  | hello"}), view.rows)
        << "the changed text is read again";
}

TEST_F(Picker, EveryChangeOfTheLibraryShowsAtTheNextOpening) {
    const std::string hello = "Hello |  | hello", sig = "Signature | Letters | sig(name)";
    const struct {
        const char* name;
        std::function<void(Picker&)> change;
        std::vector<std::string> rows;
        const char* query = ""; // typed after the texts are read
        bool withNote = false;  // a reply "Note" without a trigger is added last beforehand
    } cases[] = {
        {"reply added",
         [](Picker& t) { t.Reply("Thanks", nullptr, "3"); },
         {hello, sig, "Thanks |  | "}},
        {"reply without a trigger removed",
         [](Picker& t) { t.list.DeleteAt(t.list.Count() - 1); },
         {hello, sig},
         "",
         true},
        {"reply removed", [](Picker& t) { t.list.DeleteAt(0); }, {sig}},
        {"folder removed",
         [](Picker& t) { t.list.RemoveSubtree(t.tree.FirstNode()->NextSibling()); },
         {hello}},
        {"renamed",
         [](Picker& t) { t.tree.SetCaption(t.hello->Node, "Hi"); },
         {"Hi |  | hello", sig}},
        {"moved into a folder",
         [](Picker& t) {
             t.tree.MoveAsLastChild(t.hello->Node, t.tree.FirstNode()->NextSibling());
         },
         {sig, "Hello | Letters | hello"}},
        {"macro changed",
         [](Picker& t) { t.list.SetMacro(t.hello, "hi"); },
         {"Hello |  | hi", sig}},
        {"macro cleared", [](Picker& t) { t.list.SetMacro(t.hello, ""); }, {"Hello |  | ", sig}},
        {"hot key given",
         [](Picker& t) { t.list.SetHotKey(t.list.At(t.list.Count() - 1), "0L"); },
         {hello, sig, "Note |  | " + HotKeyText("0L")},
         "",
         true},
        {"text saved",
         [](Picker& t) { t.list.SetBody(t.hello, {"{\\rtf1\\ansi Welcome aboard.}"}); },
         {hello},
         "welcome"},
        {"everything cleared", [](Picker& t) { t.list.ClearAll(); }, {}},
        {"delivered",
         [](Picker& t) { t.recent.Delivered(std::string("4") + kPathSep + "2.rep"); },
         {sig, hello}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        struct Fresh : Picker {
            void TestBody() override {}
        } t;
        if (c.withNote) {
            t.Reply("Note", nullptr, "5");
        }
        t.picker.Open(77, 300, 200);
        while (t.picker.ReadTexts(1)) {
        }
        t.picker.Cancel();
        c.change(t);
        // Texts are read while closed too, as after a close.
        while (t.picker.ReadTexts(1)) {
        }
        t.picker.Open(77, 300, 200);
        t.picker.QueryChanged(c.query);
        EXPECT_EQ(c.rows, t.view.rows);
        if (!*c.query) {
            EXPECT_EQ(c.rows, Described(t.picker.PreparedRows()))
                << "made ahead for the next opening";
            EXPECT_EQ(t.view.preview, t.picker.PreparedPreview());
        }
    }
}

TEST_F(Picker, EnterReadsTheTextsNotReadYetBeforeItDelivers) {
    picker.Open(77, 300, 200);
    picker.QueryChanged("regards");
    ASSERT_TRUE(view.rows.empty());
    picker.Accept(true, 0);
    ASSERT_EQ(1u, deliveries.plans.size());
    EXPECT_EQ((std::vector<std::string>{"Select Signature", "ExpandAndCopy", "Reload"}),
              deliveries.plans[0]);
}

enum Action { Enter, CtrlEnter, Esc };

TEST_F(Picker, EnterPastesIntoTheTargetCtrlEnterCopiesEscDeliversNothing) {
    const struct {
        const char* name;
        const char* query;
        int moves;
        Action action;
        int showMacroIns;
        std::vector<std::string> plan; // empty: nothing delivered
    } cases[] = {
        {"enter",
         "hello",
         0,
         Enter,
         1,
         {"Select Hello", "ExpandAndCopy", "Reload", "StopUnlessWindowExists 77", "Sleep 50",
          "Activate 77", "Keys Ctrlv Vv V^ Ctrl^"}},
        {"ctrl+enter copies",
         "hello",
         0,
         CtrlEnter,
         1,
         {"Select Hello", "ExpandAndCopy", "Reload"}},
        {"fields asked",
         "sig",
         0,
         CtrlEnter,
         1,
         {"AskFieldValues name at drop point 300,200", "Select Signature",
          "ExpandAndCopy name = answers", "Reload"}},
        {"down past the end stays on the last row",
         "",
         5,
         Enter,
         0,
         {"Select Signature", "ExpandAndCopy", "Reload", "StopUnlessWindowExists 77", "Sleep 50",
          "Activate 77", "Keys Ctrlv Vv V^ Ctrl^"}},
        {"up past the top stays on the first row",
         "",
         -3,
         CtrlEnter,
         0,
         {"Select Hello", "ExpandAndCopy", "Reload"}},
        {"esc", "hello", 0, Esc, 1, {}},
        {"no match", "nothing", 0, Enter, 1, {}},
    };
    for (const auto& c : cases) {
        deliveries.plans.clear();
        view.closed = 0;
        picker.Open(77, 300, 200);
        picker.QueryChanged(c.query);
        picker.Move(c.moves);
        if (c.action == Esc) {
            picker.Cancel();
        } else {
            picker.Accept(c.action == CtrlEnter, c.showMacroIns);
        }
        if (c.plan.empty()) {
            EXPECT_TRUE(deliveries.plans.empty()) << c.name;
        } else {
            ASSERT_EQ(1u, deliveries.plans.size()) << c.name;
            EXPECT_EQ(c.plan, deliveries.plans[0]) << c.name;
        }
        EXPECT_EQ(c.plan.empty() && c.action != Esc ? 0 : 1, view.closed) << c.name;
        picker.Cancel();
    }
}

TEST(PickerPlace, BelowTheCaretElseOverTheWindowAlwaysOnTheMonitor) {
    const ScreenRect work{0, 0, 1920, 1040};
    const struct {
        const char* name;
        std::optional<ScreenRect> caret, window;
        ScreenRect place;
    } cases[] = {
        {"below the caret", ScreenRect{300, 200, 302, 218}, std::nullopt, {300, 222, 940, 542}},
        {"above a caret near the bottom",
         ScreenRect{300, 900, 302, 918},
         std::nullopt,
         {300, 576, 940, 896}},
        {"kept from the right edge",
         ScreenRect{1800, 200, 1802, 218},
         std::nullopt,
         {1280, 222, 1920, 542}},
        {"over the window's middle",
         std::nullopt,
         ScreenRect{100, 100, 900, 700},
         {180, 240, 820, 560}},
        {"a window partly off the screen",
         std::nullopt,
         ScreenRect{-700, -500, 100, 100},
         {0, 0, 640, 320}},
        {"nothing in front", std::nullopt, std::nullopt, {640, 360, 1280, 680}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.place, PickerPlace({c.caret, c.window, work, 640, 320})) << c.name;
    }
    EXPECT_EQ((ScreenRect{0, 0, 640, 320}),
              PickerPlace({ScreenRect{50, 50, 52, 60}, std::nullopt, {0, 0, 600, 300}, 640, 320}))
        << "on a screen too small its top left stays in reach";
}

TEST(PickerOpening, WhichWindowAndWhereTheReplyGoes) {
    using Kind = PickerOpening::Kind;
    using enum PickerWindowChoice;
    // Under Wine a window is never shown twice; on Windows the one window comes back.
    const struct {
        const char* name;
        PickerOpeningFacts facts;
        PickerOpening opening;
    } cases[] = {
        {"open already: the keyboard goes back to it",
         {.open = true, .libraryLoaded = true, .windowShown = true, .hasFront = true},
         {Kind::Refocus, Shown, false}},
        {"no library yet", {.windowAhead = true, .hasFront = true}, {Kind::Nothing, New, false}},
        {"first opening takes the window made ahead",
         {.libraryLoaded = true, .windowAhead = true, .hasFront = true},
         {Kind::Open, Ahead, true}},
        {"later openings show the same window again",
         {.libraryLoaded = true, .windowShown = true, .windowAhead = true, .hasFront = true},
         {Kind::Open, Shown, true}},
        {"a window per opening: the one made ahead",
         {.libraryLoaded = true,
          .windowPerOpening = true,
          .windowShown = true,
          .windowAhead = true,
          .hasFront = true},
         {Kind::Open, Ahead, true}},
        {"a window per opening, none made ahead: a new one",
         {.libraryLoaded = true, .windowPerOpening = true, .windowShown = true},
         {Kind::Open, New, false}},
        {"over our own main window the reply is only copied",
         {.libraryLoaded = true, .windowShown = true, .hasFront = true, .frontIsOurs = true},
         {Kind::Open, Shown, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.opening, DecidePickerOpening(c.facts)) << c.name;
    }
}

} // namespace
} // namespace tw
