// Deliveries run over recording ports: the order of what reaches the system and the main window.
#include "delivery/delivery_profile.h"
#include "delivery/reply_delivery.h"
#include "delivery_fakes.h"
#include "fake_keyboard.h"
#include "library/model_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tw::testing {
namespace {

using Lines = std::vector<std::string>;

struct Delivering : ModelFixture {
    RecordingDelivery fake;
    ReplyDelivery delivery{fake.Ports(), fake};
    TRep* hello = Reply("Hello", nullptr, "1", "hello", "0K");
    TRep* sig = Reply("Sig", nullptr, "2", "sig(first,last)");
    static constexpr WindowHandle kTarget = 7;

    Delivering() {
        fake.library = &list;
        fake.windows = {kTarget};
        delivery.State().DeliveryEnabled = true;
        delivery.ApplicationEventsDeactivate();
        delivery.ShellHookWindowActivated(kTarget);
        fake.log.clear();
    }

    void Type(const std::string& keys) {
        for (char k : keys) {
            const bool shift = k == '(' || k == ')';
            const std::uint32_t code = k == '('   ? '9'
                                       : k == ')' ? '0'
                                       : k == ',' ? 0xBC
                                       : k == ' ' ? 0x20
                                                  : std::toupper(k);
            if (shift) {
                fake.down.insert(vkey::Shift);
                delivery.KeyHookKeyAction(vkey::LeftShift, true);
            }
            delivery.KeyHookKeyAction(code, true);
            delivery.KeyHookKeyAction(code, false);
            if (shift) {
                delivery.KeyHookKeyAction(vkey::LeftShift, false);
                fake.down.erase(vkey::Shift);
            }
        }
    }
};

TEST_F(Delivering, ATypedMacroIsErasedAndReplacedAndTheSelectionComesBack) {
    fake.selected = hello->Node;
    Type("sig(ann,lee) ");
    const std::string erase13 =
        "Keys BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^ "
        "BSv BS^ BSv BS^ BSv BS^";
    EXPECT_EQ(Lines({erase13, "select Sig", "copy Sig ann lee 14:07", "select (none)",
                     "select Hello", "Keys Ctrlv Vv V^ Ctrl^"}),
              fake.log);
    EXPECT_EQ("", delivery.State().TypedWord);
    // The three forms come from one expansion of the stored source.
    ASSERT_EQ(fake.copies.size(), 1u);
    const ReplyContent& copied = fake.copies.back();
    EXPECT_EQ(copied.rtf, "{\\rtf1 Sig ann lee 14:07}");
    EXPECT_EQ(copied.text, u"Sig ann lee 14:07");
    EXPECT_NE(copied.html.find(">Sig ann lee 14:07</span></p><!--EndFragment-->"),
              std::string::npos);
    fake.log.clear();
    Type("nope ");
    EXPECT_EQ(Lines{}, fake.log);
}

// A target that applies the keys it gets: Backspace erases its last character, V pastes (only
// Ctrl+V sends it). The user goes on typing while the reply is being made.
struct TypingTarget : RecordingDelivery {
    std::string text, typedWhileCopying, clipboard;
    std::size_t SendKeys(const std::vector<KeyEvent>& events) override {
        for (const KeyEvent& e : events) {
            if (!e.keyUp && e.virtualKey == vkey::Backspace && !text.empty()) {
                text.pop_back();
            } else if (!e.keyUp && e.virtualKey == vkey::V) {
                text += clipboard;
            }
        }
        return RecordingDelivery::SendKeys(events);
    }
    void PutOnClipboard(const ReplyContent& reply) override {
        RecordingDelivery::PutOnClipboard(reply);
        clipboard = "<" + std::string(reply.text.begin(), reply.text.end()) + ">";
        text += typedWhileCopying;
    }
};

TEST_F(Delivering, KeysTypedWhileTheReplyIsMadeAreNeitherLostNorErased) {
    for (const std::string meanwhile : {"", "ok"}) {
        TypingTarget target;
        target.library = &list;
        ReplyDelivery typed{target.Ports(), target};
        typed.State().DeliveryEnabled = true;
        typed.ApplicationEventsDeactivate();
        target.text = "Dear sig(ann,lee) "; // the word and its Space are there already
        target.typedWhileCopying = meanwhile;
        typed.State().TypedWord = "sig(ann,lee)";
        typed.DeliverTypedMacro();
        EXPECT_EQ("Dear " + meanwhile + "<Sig ann lee 14:07>", target.text);
    }
}

// Key messages after "hello", two characters each: press 'v' or release '^' and the key; "c " a
// click; "f " another window comes to the front; "| " where the queue runs empty as the program
// catches up.
TEST_F(Delivering, ASpaceWaitsForTheKeysQueuedBehindItAndAKeyPressedAmongThemDropsIt) {
    FakeKeyboard keyboard;
    DeliveryPorts ports = fake.Ports();
    ports.keyboard = &keyboard;
    ReplyDelivery typed{ports, fake};
    typed.State().DeliveryEnabled = true;
    typed.ApplicationEventsDeactivate();
    const std::pair<std::string, bool> cases[] = {
        {"v | ^ ", true},      // the Space handled at once
        {"v ^ | ", true},      // its release queued behind it
        {"v ^ vx^x| ", false}, // a letter typed before the program saw the Space
        {"v vx^ ^x| ", false}, // a letter typed while the Space was held
        {"v ^ v ^ | ", false}, // a second Space
        {"v c ^ | ", false},   // a click
        {"v f ^ | ", false},   // another window in front
    };
    for (const auto& [messages, delivered] : cases) {
        keyboard.foreground = 0x100;
        const std::string all = "vh^hve^evl^lvl^lvo^o" + messages;
        fake.log.clear();
        for (std::size_t i = 0; i < all.size(); i += 2) {
            fake.keyMessagesQueued = i + 2 < all.size() && all[i + 2] != '|';
            const char what = all[i];
            const char key = all[i + 1];
            if (what == 'c') {
                typed.MouseHookMouseClick();
            } else if (what == 'f') {
                keyboard.foreground = 0x200;
            } else if (what != '|') {
                typed.KeyHookKeyAction(key == ' ' ? vkey::Space : std::toupper(key), what == 'v');
            }
        }
        const bool erased = !fake.log.empty() && fake.log.front().rfind("Keys BSv", 0) == 0;
        EXPECT_EQ(delivered, erased) << messages << ": " << ::testing::PrintToString(fake.log);
        typed.MouseHookMouseClick();
    }
}

TEST_F(Delivering, AShortInsertReleasesWhatTheBatchLeftDown) {
    const std::vector<KeyEvent> typedBatch = {{8, false},   {8, true},     {8, false},
                                              {8, true},    {0x11, false}, {0x56, false},
                                              {0x56, true}, {0x11, true}};
    struct {
        std::size_t inserted;
        Lines sent;
    } cases[] = {
        {8, {}},
        {0, {}},
        {3, {"Keys BS^"}},
        {4, {}},
        {5, {"Keys Ctrl^"}},
        {6, {"Keys V^ Ctrl^"}},
        {7, {"Keys Ctrl^"}},
    };
    for (auto& c : cases) {
        fake.log.clear();
        fake.insertCounts = {c.inserted};
        StepExecutor(fake.Ports(), fake).Run({step::Keys{typedBatch}});
        c.sent.insert(c.sent.begin(), DescribeStep(step::Keys{typedBatch}));
        if (c.inserted < typedBatch.size()) {
            c.sent.push_back("tell cut  offering "); // never silently
        }
        EXPECT_EQ(c.sent, fake.log) << c.inserted;
    }
}

TEST_F(Delivering, AHotKeyWaitsForCtrlThenPastes) {
    const struct {
        int ctrlReadsDown;
        std::set<std::uint8_t> held;
        std::string released;
        int sleeps;
    } cases[] = {
        {0, {}, "", 0},
        {3, {vkey::Ctrl, vkey::Alt}, "Keys Ctrl^ Alt^", 3},
        {2, {vkey::Shift, vkey::Ctrl, vkey::Alt}, "Keys Shift^ Ctrl^ Alt^", 2},
        {100000, {vkey::Ctrl}, "Keys Ctrl^", StepExecutor::kMaxCtrlPolls},
    };
    for (const auto& c : cases) {
        fake.log.clear();
        fake.down = c.held;
        int reads = c.ctrlReadsDown;
        fake.onSleep = [&] {
            if (--reads == 0) {
                fake.down.clear();
            }
        };
        delivery.DeliverHotKey(0);
        Lines expected = {"select Hello", "copy Hello first last 14:07", "select (none)",
                          "select (none)"};
        if (!c.released.empty()) {
            expected.push_back(c.released);
        }
        expected.insert(expected.end(), static_cast<std::size_t>(c.sleeps), "sleep 50");
        expected.push_back("Keys Ctrlv Vv V^ Ctrl^");
        EXPECT_EQ(expected, fake.log) << c.ctrlReadsDown;
    }
}

TEST_F(Delivering, TheProfileOfTheWindowInFrontShapesEveryPathAndCanTurnMacrosOff) {
    const struct {
        const char* name;
        TargetWindow inFront; // the fixed keyboard reports window 0 in front
        std::function<void()> act;
        Lines keys; // the key lines of the log, in order
        bool told = false;
    } cases[] = {
        {"no match: as planned",
         {"notepad.exe", "", "", {}, {}},
         [&] { delivery.DeliverHotKey(0); },
         {"Keys Ctrlv Vv V^ Ctrl^"}},
        {"terminal: a typed macro too",
         {"putty.exe", "", "", {}, {}},
         [&] { Type("hello "); },
         {"Keys BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^ BSv BS^", "Keys Shiftv Insv Ins^ Shift^"}},
        {"macros off in the game", {"game.exe", "", "", {}, {}}, [&] { Type("hello "); }, {}},
        {"elevated: nothing typed, the user told",
         {"regedit.exe", "", "", {0x3000}, {0x2000}},
         [&] { Type("hello "); },
         {},
         true},
    };
    for (const auto& c : cases) {
        fake.log.clear();
        fake.described = {{0, c.inFront}};
        // Set again: the window in front keeps its handle, and what is known of it is kept.
        delivery.SetProfiles({{"terminal", "putty.exe", "", "", PasteMethod::ShiftInsert},
                              {"game", "game.exe", "", "", PasteMethod::CtrlV, 0, 0, false}});
        c.act();
        Lines keys;
        bool told = false;
        for (const std::string& line : fake.log) {
            if (line.rfind("Keys", 0) == 0) {
                keys.push_back(line);
            }
            told = told || line.rfind("tell " + c.inFront.program + " offering", 0) == 0;
        }
        EXPECT_EQ(c.keys, keys) << c.name;
        EXPECT_EQ(c.told, told) << c.name;
        if (c.told) {
            EXPECT_TRUE(std::none_of(fake.log.begin(), fake.log.end(), [](const std::string& l) {
                return l.rfind("copy", 0) == 0;
            })) << "the user's clipboard is left alone";
        }
    }
}

// Setup words: the command, the ShowMacroIns setting, what the user does in the dialog, and
// whether the target window closes (the shell reports it) or vanishes unseen meanwhile.
TEST_F(Delivering, TheCommandsAskCancelAndPasteOnlyIntoAWindowThatStillExists) {
    const std::string expand = "copy Sig Ann Lee 14:07; select (none); select Sig";
    const std::string paste = "foreground 7; Keys Ctrlv Vv V^ Ctrl^";
    const struct {
        const char* setup;
        std::string log;
    } cases[] = {
        {"paste 0",
         "commit; copy Sig first last 14:07; sleep 50; " + paste + "; select (none); select Sig"},
        {"paste 1 answer", "commit; dialog first,last at ButInLastWnd; " + expand + "; " + paste},
        {"paste 1 cancel", "commit; dialog first,last at ButInLastWnd"},
        {"paste 1 answer close", "commit; dialog first,last at ButInLastWnd; dialog cancelled"},
        {"paste 1 answer vanish", "commit; dialog first,last at ButInLastWnd; " + expand},
        {"copy 0", "commit; copy Sig first last 14:07; select (none); select Sig"},
        {"copy 1 answer", "commit; dialog first,last at ButInCB; " + expand},
        {"copy 1 cancel", "commit; dialog first,last at ButInCB"},
    };
    for (const auto& c : cases) {
        const std::string setup = c.setup;
        const auto has = [&](const char* word) { return setup.find(word) != std::string::npos; };
        fake.log.clear();
        fake.selected = sig->Node;
        fake.showMacroIns = has(" 1") ? 1 : 0;
        fake.answers = has("cancel") ? std::nullopt : std::optional<std::string>("Ann\x01Lee");
        fake.windows = {kTarget};
        delivery.State().LastActiveWindow = kTarget;
        fake.duringDialog = [&] {
            if (has("close") || has("vanish")) {
                fake.windows.clear();
            }
            if (has("close")) {
                delivery.ShellHookWindowDestroyed(kTarget);
            }
        };
        has("paste") ? delivery.EditorInLastActiveExecute() : delivery.EditorCopyEntireExecute();
        std::string log;
        for (const std::string& line : fake.log) {
            log += (log.empty() ? "" : "; ") + line;
        }
        EXPECT_EQ(c.log, log) << c.setup;
        EXPECT_EQ(sig->Node, fake.selected) << c.setup;
    }
}

// Words: "dialog" (the insertions dialog is open), "terminating", "vanish" (the window goes
// without a message), "up N" / "down N" (window N activated / destroyed).
TEST_F(Delivering, TheLastActiveWindowFollowsTheShell) {
    const struct {
        const char* events;
        WindowHandle last;
        bool available;
        Lines log;
    } cases[] = {
        {"up 9", 9, true, {}},
        {"up 0", 7, true, {}},
        {"dialog up 9", 7, true, {}},
        {"down 7", 0, false, {}},
        {"down 8", 7, true, {}},
        {"dialog down 8", 7, true, {}},
        {"terminating down 7", 7, false, {}},
        {"vanish", 7, false, {}},
        {"dialog down 7", 0, false, {"dialog cancelled"}},
    };
    for (const auto& c : cases) {
        fake.log.clear();
        fake.windows = {kTarget, 8, 9};
        fake.dialogVisible = fake.terminating = false;
        delivery.State().LastActiveWindow = kTarget;
        std::istringstream in(c.events);
        for (std::string word; in >> word;) {
            WindowHandle w = 0;
            fake.dialogVisible |= word == "dialog";
            fake.terminating |= word == "terminating";
            if (word == "vanish") {
                fake.windows.clear();
            } else if (word == "up" && in >> w) {
                delivery.ShellHookWindowActivated(w);
            } else if (word == "down" && in >> w) {
                fake.windows.erase(w);
                delivery.ShellHookWindowDestroyed(w);
            }
        }
        EXPECT_EQ(c.last, delivery.State().LastActiveWindow) << c.events;
        EXPECT_EQ(c.available, delivery.EditorInLastActiveAvailable()) << c.events;
        delivery.EditorInLastActiveExecute(); // does nothing at all without a target
        if (!c.available) {
            EXPECT_EQ(c.log, fake.log) << c.events;
        }
    }
}

} // namespace
} // namespace tw::testing
