// Keeping the user's clipboard across deliveries: which formats a snapshot copies, the keeper's
// rules over a simulated clipboard and clock, and the delivery paths with the setting on and off.
#include "delivery/clipboard_formats.h"
#include "delivery/clipboard_keeper.h"
#include "delivery/clipboard_plan.h"
#include "delivery/reply_delivery.h"
#include "delivery/reply_drop.h"
#include "delivery_fakes.h"
#include "library/model_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace tw::testing {
namespace {

using Kind = ClipboardDataKind;

TEST(ClipboardFormats, OnlyWhatTheOwnerPlacedAndCanBeCopied) {
    const unsigned rtf = 0xC0A1;
    const unsigned html = 0xC0B2;
    const struct {
        const char* name;
        std::vector<unsigned> enumerated;
        std::vector<SavedFormat> saved;
    } cases[] = {
        {"empty", {}, {}},
        {"unicode text with its synthesized forms",
         {13, 16, 1, 7},
         {{13, Kind::Memory}, {16, Kind::Memory}}},
        {"ansi text first", {1, 16, 13, 7}, {{1, Kind::Memory}, {16, Kind::Memory}}},
        {"rich text, html and text",
         {rtf, html, 13, 1},
         {{rtf, Kind::Memory}, {html, Kind::Memory}, {13, Kind::Memory}}},
        {"a bitmap handle", {2, 8, 17}, {{2, Kind::Bitmap}}},
        {"a DIB: its bitmap and palette are derived", {8, 2, 9, 17}, {{8, Kind::Memory}}},
        {"a bitmap with its own palette", {2, 9, 8}, {{2, Kind::Bitmap}, {9, Kind::Palette}}},
        {"metafiles", {14, 3}, {{14, Kind::EnhMetafile}}},
        {"old metafile", {3, 14}, {{3, Kind::Metafile}}},
        {"file list", {15, 0xC0C3}, {{15, Kind::Memory}, {0xC0C3, Kind::Memory}}},
        {"display formats",
         {0x81, 0x82, 0x83, 0x8E},
         {{0x81, Kind::Memory},
          {0x82, Kind::Bitmap},
          {0x83, Kind::Metafile},
          {0x8E, Kind::EnhMetafile}}},
        {"owner display, private handles and unknown numbers are left out",
         {0x80, 0x200, 0x2FF, 18, 0x7F, 0xBFFF, 13},
         {{13, Kind::Memory}}},
        {"the GDI object range holds memory",
         {0x300, 0x3FF},
         {{0x300, Kind::Memory}, {0x3FF, Kind::Memory}}},
        {"a repeated number counts once", {rtf, rtf}, {{rtf, Kind::Memory}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.saved, FormatsToSave(c.enumerated)) << c.name;
    }
}

// A clipboard that holds one named content, a sequence number that moves with every write, and
// a clock that fires the one timer.
class SimulatedClipboard : public ClipboardPort, public RestoreTimerPort {
public:
    std::string content = "user";
    std::uint32_t sequence = 100;
    std::optional<std::string> saved;
    int saves = 0;
    int busyOpens = 0;       // the next opens fail as if another program held the clipboard
    bool refuseSave = false; // the snapshot cannot read the clipboard
    int now = 0;
    std::optional<int> due;
    std::vector<int> started;

    void Write(const std::string& what) {
        content = what;
        ++sequence;
    }
    std::uint32_t SequenceNumber() override { return sequence; }
    bool SaveUserContent() override {
        if (refuseSave || Busy()) {
            return false;
        }
        ++saves;
        saved = content;
        return true;
    }
    RestoreResult RestoreUserContent(std::uint32_t expected) override {
        if (Busy()) {
            return RestoreResult::Busy;
        }
        if (sequence != expected) {
            return RestoreResult::Superseded;
        }
        Write(saved.value());
        return RestoreResult::Restored;
    }
    void DiscardUserContent() override { saved.reset(); }
    bool OfferReply(const ReplyContent& reply) override {
        if (Busy()) {
            return false;
        }
        Write("offered " + reply.rtf);
        return true;
    }
    bool PlaceReply(const ReplyContent& reply) override {
        Write("placed " + reply.rtf);
        return true;
    }
    void StartRestoreTimer(int ms) override {
        due = now + ms;
        started.push_back(ms);
    }
    void StopRestoreTimer() override { due.reset(); }

private:
    bool Busy() { return busyOpens > 0 && busyOpens-- > 0; }
};

// Script words: "put R" (a delivery offers reply R; "put! R" expects it refused), "end" (the
// delivery has sent its paste), "render" (the target asked and got the data), "+N" (N ms
// pass), "other" (another program copies), "busy N" (the next N opens fail), "refuse" (the
// snapshot fails), "exit", "=C" (the clipboard holds C now).
// Each case: formats read as (bytes, tick) after a start at tick `start`; how many are admitted.
TEST(SnapshotBudget, StopsAtTheFirstFormatPastEitherBoundAndForEveryOneAfter) {
    constexpr std::size_t kMax = SnapshotBudget::kMaxBytes;
    constexpr std::uint32_t kMs = SnapshotBudget::kMaxMs;
    const struct {
        const char* name;
        std::uint32_t start;
        std::vector<std::pair<std::size_t, std::uint32_t>> reads;
        std::size_t admitted;
    } cases[] = {
        {"small and quick", 0, {{10, 1}, {20, 2}, {0, 3}}, 3},
        {"exactly the size", 0, {{kMax - 1, 1}, {1, 2}}, 2},
        {"a byte over the size", 0, {{kMax - 1, 1}, {2, 2}, {1, 3}}, 1},
        {"one huge block", 0, {{std::size_t(-1), 1}, {1, 2}}, 0},
        {"exactly the time", 500, {{1, 500 + kMs}}, 1},
        {"past the time, then small again", 500, {{1, 600}, {1, 501 + kMs}, {1, 600}}, 1},
        {"ticks that wrap", 0xFFFFFF00u, {{1, 0x10}, {1, kMs}}, 1},
    };
    for (const auto& c : cases) {
        SnapshotBudget budget(c.start);
        std::size_t admitted = 0;
        for (const auto& [bytes, now] : c.reads) {
            admitted += budget.Admit(bytes, now) ? 1 : 0;
        }
        EXPECT_EQ(c.admitted, admitted) << c.name;
        EXPECT_EQ(c.admitted < c.reads.size(), budget.Exceeded()) << c.name;
    }
}

TEST(ClipboardKeeper, RestoresOnceTheTargetTookTheReplyAndNeverOverSomethingNewer) {
    const struct {
        const char* name;
        const char* script;
        int saves;
    } cases[] = {
        {"taken: a moment after the answer", "put a end +40 render +149 =offered_a +1 =user", 1},
        {"the target asks while the delivery still runs",
         "put a render end +149 =offered_a +1 =user", 1},
        {"every request starts the moment again",
         "put a end render +100 render +149 =offered_a +1 =user", 1},
        {"never asked: the bounded wait", "put a end +1999 =offered_a +1 =user", 1},
        {"no wait starts before the delivery ends", "put a +5000 =offered_a end +2000 =user", 1},
        {"another program copied after the answer", "put a end render other +5000 =other", 1},
        {"another program copied before any request", "put a end other +5000 =other", 1},
        {"a late request after the restore changes nothing",
         "put a end +2000 =user render +5000 =user", 1},
        {"deliveries in a row keep the first snapshot",
         "put a end render put b end render +150 =user", 1},
        {"a new snapshot after another program's copy",
         "put a end other put b end render +150 =other", 2},
        {"a busy clipboard is tried again",
         "put a end render busy 3 +150 =offered_a +149 =offered_a +1 =user", 1},
        {"a clipboard busy for good is given up", "put a end render busy 99 +10000 =offered_a", 1},
        {"exit restores at once", "put a end exit =user +5000 =user", 1},
        {"exit after another program's copy", "put a end other exit =other", 1},
        {"a snapshot that fails leaves the clipboard to the caller", "refuse put! a =user", 0},
        {"a refused offer after a pending one still restores",
         "put a end busy 1 put! b =offered_a +50 =user", 1},
    };
    for (const auto& c : cases) {
        SimulatedClipboard clip;
        UserClipboardKeeper keeper(clip, clip);
        std::istringstream in(c.script);
        for (std::string word; in >> word;) {
            std::string arg;
            if (word == "put" || word == "put!") {
                in >> arg;
                EXPECT_EQ(word == "put", keeper.PutReplyForPaste({arg, "html", u"text"}))
                    << c.name << ": " << word << " " << arg;
            } else if (word == "end") {
                keeper.DeliveryEnded();
            } else if (word == "render") {
                ++clip.sequence; // the rendered data is a write of our own
                keeper.ReplyRendered();
            } else if (word == "other") {
                clip.Write("other");
            } else if (word == "busy") {
                in >> clip.busyOpens;
            } else if (word == "refuse") {
                clip.refuseSave = true;
            } else if (word == "exit") {
                keeper.RestoreBeforeExit();
            } else if (word[0] == '+') {
                const int until = clip.now + std::stoi(word.substr(1));
                while (clip.due && *clip.due <= until) {
                    clip.now = *clip.due;
                    clip.due.reset();
                    keeper.RestoreTimerTimer();
                }
                clip.now = until;
            } else if (word[0] == '=') {
                std::string expected = word.substr(1);
                std::replace(expected.begin(), expected.end(), '_', ' ');
                EXPECT_EQ(expected, clip.content) << c.name << ", at " << clip.now << " ms";
            }
        }
        EXPECT_EQ(c.saves, clip.saves) << c.name;
        // Nothing is left behind that could restore later.
        clip.due.reset();
        keeper.RestoreBeforeExit();
        EXPECT_FALSE(keeper.RestorePending()) << c.name;
        EXPECT_FALSE(clip.saved.has_value()) << c.name;
    }
}

struct KeepingHost : ClipboardKeepingHost {
    int setting = 1;
    int RestoreClipboardSetting() override { return setting; }
};

struct StillPointer : PointerPort {
    PointerPoint PointerPosition() override { return {}; }
    void MovePointer(PointerPoint) override {}
    void ClickLeftButton(PointerPoint) override {}
};

struct KeepingPaths : ModelFixture {
    RecordingDelivery fake;
    SimulatedClipboard clip;
    UserClipboardKeeper keeper{clip, clip};
    KeepingHost keepingHost;
    ClipboardKeeping keeping{keeper, keepingHost};
    ReplyDelivery delivery{fake.Ports(), fake};
    TRep* hello = Reply("Hello", nullptr, "1", "hello", "0K");
    static constexpr WindowHandle kTarget = 7;

    KeepingPaths() {
        fake.library = &list;
        fake.windows = {kTarget};
        delivery.State().LastActiveWindow = kTarget;
        fake.keeping = &keeping;
    }
};

// Every path that pastes keeps the clipboard with the setting on; the copy the user asks for
// with Ctrl+Shift+C never does. The run offers instead of copying, and the wait for the target
// starts once the delivery has ended.
TEST_F(KeepingPaths, EveryPathThatPastesWithTheSettingOnAndNoOtherCopy) {
    const struct {
        const char* path;
        int setting;
        bool kept;
    } cases[] = {
        {"typed", 1, true},    {"typed", 0, false}, {"typed", 5, false}, {"hot key", 1, true},
        {"hot key", 0, false}, {"paste", 1, true},  {"paste", 0, false}, {"drop", 1, true},
        {"drop", 0, false},    {"copy", 1, false},  {"copy", 0, false},
    };
    for (const auto& c : cases) {
        const std::string path = c.path;
        fake.log.clear();
        clip.started.clear();
        fake.selected = hello->Node;
        keepingHost.setting = c.setting;
        if (path == "typed") {
            delivery.State().TypedWord = "hello";
            delivery.DeliverTypedMacro();
        } else if (path == "hot key") {
            delivery.DeliverHotKey(0);
        } else if (path == "paste") {
            delivery.EditorInLastActiveExecute();
        } else if (path == "drop") {
            // A drop runs on an executor of its own, over the same main window.
            StillPointer pointer;
            StepExecutor(fake.Ports(), fake, &pointer)
                .Run(PlanReplyDrop({true, false, kTarget, 1, {40, 50}, 0, ""}));
        } else {
            delivery.EditorCopyEntireExecute();
        }
        const bool offered = clip.content == "offered {\\rtf1 Hello first last 14:07}";
        const bool copied = std::find(fake.log.begin(), fake.log.end(),
                                      "copy Hello first last 14:07") != fake.log.end();
        const std::string name = path + ", setting " + std::to_string(c.setting);
        EXPECT_EQ(c.kept, offered) << name;
        EXPECT_NE(c.kept, copied) << name;
        EXPECT_EQ(c.kept ? std::vector<int>{UserClipboardKeeper::kMaxWaitMs} : std::vector<int>{},
                  clip.started)
            << name;
        clip.due.reset();
        keeper.RestoreBeforeExit();
    }
}

TEST_F(KeepingPaths, ATargetGoneBeforeThePasteStillStartsTheWait) {
    DeliveryPlan plan =
        KeepingUserClipboard(PlanEditorInLastActive({true, 1, "first,last", kTarget}));
    fake.answers = "Ann\x01Lee";
    fake.duringDialog = [&] { fake.windows.clear(); };
    StepExecutor executor(fake.Ports(), fake);
    executor.Run(plan);
    EXPECT_EQ(std::vector<int>{UserClipboardKeeper::kMaxWaitMs}, clip.started);
    EXPECT_EQ(std::find(fake.log.begin(), fake.log.end(), "Keys Ctrlv Vv V^ Ctrl^"),
              fake.log.end());
}

} // namespace
} // namespace tw::testing
