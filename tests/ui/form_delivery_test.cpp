// The main window's deliveries end to end over fake controls and a fake system: hook events and
// FixTimer ticks reach the delivery core, the commands run through it, and afterwards the
// library, the selection and the pending-edit flags are what they were.
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "fakes/form_harness.h"
#include "library/text_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tw {
namespace {

using Lines = std::vector<std::string>;

const char* const kThanks = "thx\r\n0K\r\n{\\rtf1 Thanks, sent %ShortDate}\r\n";
const char* const kSignature = "sig(first,last)\r\n\r\n{\\rtf1 Regards, first last}\r\n";
constexpr WindowHandle kNotepad = 0x5000;

// Backspace down and up `count` times, then Ctrl+V, as the batches are logged.
std::vector<std::string> ErasedThenPasted(int count) {
    std::string keys = "Keys";
    for (int i = 0; i < count; ++i) {
        keys += " BSv BS^";
    }
    return {keys, "Keys Ctrlv Vv V^ Ctrl^"};
}

class FormDelivery : public testing::FormTest {
public:
    FormDelivery() {
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\nREPLY_2?Signature\r\nFOLDER_3?Misc\r\n");
        temp.Put("Replies/1.rep", kThanks);
        temp.Put("Replies/2.rep", kSignature);
        temp.Put("Replies/3/index.sub", "");
        form.FormCreate();
        fixTimer.enabled = false; // as the window creates it
        form.TipTimerTimer();     // delivery starts
        desktop.outside = kNotepad;
    }
    ~FormDelivery() override { form.FormDestroy(); }

    // Another application comes to the front.
    void LeaveForNotepad() {
        form.ApplicationEventsDeactivate();
        input.windows.insert(kNotepad);
        hooks.components.ShellHook.OnWindowActivated(hooks.components.ShellHook,
                                                     static_cast<HookWindow>(kNotepad));
    }
    void Key(std::uint32_t code, bool pressed) {
        bool filter = false;
        hooks.components.KeyHook.OnKeyAction(hooks.components.KeyHook, code, 1, 0, false, false,
                                             !pressed, pressed, filter);
        EXPECT_FALSE(filter) << "typed keys always reach their window";
    }
    // Keys as a person types them in another window; "+" holds Shift for the next character.
    void Type(const std::string& keys) {
        bool shift = false;
        for (char c : keys) {
            if (c == '+') {
                shift = true;
                continue;
            }
            const std::uint32_t code = c == '('   ? '9'
                                       : c == ')' ? '0'
                                       : c == ',' ? 0xBC
                                       : c == ' ' ? vkey::Space
                                                  : std::toupper(c);
            if (shift) {
                input.down.insert(vkey::Shift);
                Key(vkey::LeftShift, true);
            }
            Key(code, true);
            Key(code, false);
            if (shift) {
                Key(vkey::LeftShift, false);
                input.down.erase(vkey::Shift);
            }
            shift = false;
        }
    }
    void HoldAndReleaseHotKey(std::uint8_t key) {
        input.down = {vkey::Ctrl, vkey::LeftCtrl, vkey::Alt, vkey::LeftAlt, key};
        form.FixTimerTimer();
        form.FixTimerTimer(); // still held: nothing yet
        input.down = {};
        form.FixTimerTimer();
    }
    // The tree drags its selected node to (x, y), MouseHook reporting the moves on the way,
    // and the button comes up there.
    void DragTo(int x, int y) {
        TKvMouseHook& mouse = hooks.components.MouseHook;
        form.NavigationStartDrag();
        for (const PointerPoint p : {PointerPoint{300, 200}, PointerPoint{x, y}}) {
            desktop.pointer = p;
            mouse.OnMouseMove(mouse, 0, p.x, p.y);
        }
        form.NavigationEndDrag(x, y);
        EXPECT_FALSE(form.Drag().DraggingReply);
    }
    void Command(MainCommand command) {
        form.ActionMainFormUpdate();
        EXPECT_TRUE(form.ExecuteCommand(command));
    }
    std::vector<std::string> KeysSent() const {
        std::vector<std::string> keys;
        for (const std::string& entry : log) {
            if (entry.rfind("Keys", 0) == 0)
                keys.push_back(entry);
        }
        return keys;
    }
};

TEST_F(FormDelivery, EveryPathCopiesTheExpansionAndLeavesLibrarySelectionAndFlagsAlone) {
    using F = FormDelivery;
    enum Where { Typed, InProgram };
    struct Case {
        const char* path;
        Where where;                // triggers come from another window, commands from the program
        const char* selectedBefore; // null: none
        int showMacroIns;
        std::optional<std::string> answers;
        std::function<void(F&)> deliver;
        Lines copied;                  // the expanded source copied; empty: no copy
        std::vector<std::string> keys; // the batches sent
        bool intoNotepad;              // brought to the front first
    };
    const auto type = [](const char* keys) { return [keys](F& f) { f.Type(keys); }; };
    const auto run = [](MainCommand c) { return [c](F& f) { f.Command(c); }; };
    const auto drag = [](int x, int y) { return [x, y](F& f) { f.DragTo(x, y); }; };
    const Lines thanks{"{\\rtf1 Thanks, sent 3/5/2024}"}, regards{"{\\rtf1 Regards, first last}"};
    const Lines annLee{"{\\rtf1 Regards, Ann Lee}"}, typedValues{"{\\rtf1 Regards, ann lee}"};
    const char* const filled = "Ann\x01Lee";
    const auto withValues = type("sig+(ann,lee+) ");
    const auto hotKey = [](F& f) { f.HoldAndReleaseHotKey('K'); };
    const auto copy = run(MainCommand::EditorCopyEntire);
    const auto paste = run(MainCommand::EditorInLastActive);
    const auto out = drag(650, 220);
    const std::vector<std::string> ctrlV{"Keys Ctrlv Vv V^ Ctrl^"}, none;
    const std::vector<std::string> erase4 = ErasedThenPasted(4), erase13 = ErasedThenPasted(13);
    const Case cases[] = {
        {"typed macro", Typed, "Misc", 1, {}, type("thx "), thanks, erase4, false},
        {"typed in another case", Typed, nullptr, 0, {}, type("+Thx "), thanks, erase4, false},
        {"typed with values", Typed, "Thanks", 1, {}, withValues, typedValues, erase13, false},
        {"hot key", Typed, "Signature", 0, {}, hotKey, thanks, ctrlV, false},
        {"copy", InProgram, "Signature", 0, {}, copy, regards, none, false},
        {"copy, dialog", InProgram, "Signature", 1, filled, copy, annLee, none, false},
        {"copy, dialog cancelled", InProgram, "Signature", 1, {}, copy, {}, none, false},
        {"paste", InProgram, "Thanks", 1, {}, paste, thanks, ctrlV, true},
        {"paste, dialog", InProgram, "Signature", 1, filled, paste, annLee, ctrlV, true},
        {"drop", InProgram, "Thanks", 1, {}, out, thanks, ctrlV, false},
        {"drop, dialog", InProgram, "Signature", 1, filled, out, annLee, ctrlV, true},
        {"drop, dialog cancelled", InProgram, "Signature", 1, {}, out, {}, none, false},
        {"drop on the own window", InProgram, "Thanks", 0, {}, drag(300, 250), {}, none, false},
        {"drop of a folder", InProgram, "Misc", 0, {}, out, {}, none, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        RegWriteInteger(registry, kSettingsKey, kShowMacroIns, c.showMacroIns);
        input.answers = c.answers;
        form.NavigationChange(c.selectedBefore ? Node(c.selectedBefore) : nullptr);
        const Lines shownBefore = editor.lines;
        LeaveForNotepad();
        if (c.where == InProgram)
            form.ApplicationEventsActivate();
        clipboard.placed.clear();
        log.clear();
        const std::vector<std::string> recentBefore = form.Recent().Keys();

        c.deliver(*this);

        std::vector<std::string> copies;
        for (const ReplyContent& reply : clipboard.placed) {
            copies.push_back(reply.rtf);
        }
        EXPECT_EQ(copies, c.copied.empty() ? Lines{} : Lines{JoinLines(c.copied)});
        EXPECT_TRUE(editor.clipboard.empty()) << "the editor's own copy is not used";
        EXPECT_EQ(KeysSent(), c.keys);
        EXPECT_EQ(Count("foreground " + std::to_string(kNotepad)) > 0, c.intoNotepad);
        EXPECT_EQ(temp.Get("Replies/1.rep"), kThanks);
        EXPECT_EQ(temp.Get("Replies/2.rep"), kSignature);
        EXPECT_EQ(library.Tree().Selected(), c.selectedBefore ? Node(c.selectedBefore) : nullptr);
        EXPECT_EQ(editor.lines, shownBefore) << "the editor shows the stored reply again";
        EXPECT_FALSE(Flags().ContentModified);
        EXPECT_FALSE(Flags().NameModified);
        EXPECT_EQ(form.Delivery().TypedWord, "");
        // Every delivery is remembered first, for the search, also by the next run.
        if (c.copied.empty()) {
            EXPECT_EQ(form.Recent().Keys(), recentBefore);
        } else {
            ASSERT_FALSE(form.Recent().Keys().empty());
            EXPECT_EQ(form.Recent().Keys().front(), c.copied == thanks ? "1.rep" : "2.rep");
        }
        RecentDeliveries nextRun(registry);
        nextRun.Load();
        EXPECT_EQ(nextRun.Replies().Keys(), form.Recent().Keys());
        form.ApplicationEventsActivate();
    }
}

TEST_F(FormDelivery, HookEventsReachRecognitionOnlyWhileAnotherApplicationIsInFront) {
    form.NavigationChange(Node("Misc"));
    struct Step {
        const char* what;
        std::function<void(FormDelivery&)> act;
        const char* typedWord;
        bool polling; // FixTimer looks for hot keys
    };
    const Step steps[] = {
        {"typed with the program in front", [](FormDelivery& f) { f.Type("thx"); }, "", false},
        {"typed elsewhere",
         [](FormDelivery& f) {
             f.LeaveForNotepad();
             f.Type("th");
         },
         "th", true},
        {"a click anywhere",
         [](FormDelivery& f) {
             f.hooks.components.MouseHook.OnMouseClick(f.hooks.components.MouseHook, 0, 5, 5,
                                                       TMouseButton::mbLeft,
                                                       TKvMouseButtonMovement::mbmDown);
         },
         "", true},
        {"typed again", [](FormDelivery& f) { f.Type("thq"); }, "thq", true},
        {"back in the program", [](FormDelivery& f) { f.form.ApplicationEventsActivate(); }, "thq",
         false},
        {"Space in the program", [](FormDelivery& f) { f.Type(" "); }, "thq", false},
    };
    for (const Step& s : steps) {
        s.act(*this);
        EXPECT_EQ(form.Delivery().TypedWord, s.typedWord) << s.what;
        EXPECT_EQ(fixTimer.enabled, s.polling) << s.what;
    }
    EXPECT_TRUE(KeysSent().empty());
    EXPECT_EQ(input.traced.size(), 2u * 9u) << "every key message is traced, press and release";
}

TEST_F(FormDelivery, ThePreviousWindowIsTrackedAndThePasteCommandFollowsIt) {
    form.NavigationChange(Node("Thanks"));
    TKvShellHook& shell = hooks.components.ShellHook;
    struct Step {
        const char* what;
        std::function<void()> act;
        WindowHandle last;
        bool pasteOn;
    };
    // A handle with the high bit set arrives as 32 bits and is widened with its sign.
    const WindowHandle wide = static_cast<WindowHandle>(std::intptr_t{-0x7000});
    const Step steps[] = {
        {"nothing yet", [] {}, 0, false},
        {"Notepad in front",
         [&] {
             input.windows.insert(kNotepad);
             shell.OnWindowActivated(shell, 0x5000);
         },
         kNotepad, true},
        {"another, with a high handle",
         [&] {
             input.windows.insert(wide);
             shell.OnWindowActivated(shell, static_cast<HookWindow>(-0x7000));
         },
         wide, true},
        {"Notepad closes", [&] { shell.OnWindowDestroyed(shell, 0x5000); }, wide, true},
        {"the remembered one is gone but not reported", [&] { input.windows.erase(wide); }, wide,
         false},
        {"it is reported",
         [&] { shell.OnWindowDestroyed(shell, static_cast<HookWindow>(-0x7000)); }, 0, false},
    };
    for (const Step& s : steps) {
        s.act();
        form.ActionMainFormUpdate();
        EXPECT_EQ(form.Delivery().LastActiveWindow, s.last) << s.what;
        EXPECT_EQ(states.last.editorInLastActive, s.pasteOn) << s.what;
        EXPECT_TRUE(states.last.editorCopyEntire) << s.what;
    }
    log.clear();
    EXPECT_TRUE(form.ExecuteCommand(MainCommand::EditorInLastActive));
    EXPECT_TRUE(KeysSent().empty()) << "a disabled command does nothing";
}

TEST_F(FormDelivery, AProgramStartedHiddenWatchesFromTheTipTimerOn) {
    for (const bool active : {true, false}) {
        testing::FormHarness fresh(registry, Globals());
        fresh.application.active = active;
        fresh.fixTimer.enabled = false;
        fresh.form.FormCreate();
        fresh.form.TipTimerTimer();
        EXPECT_TRUE(fresh.form.Delivery().DeliveryEnabled) << active;
        EXPECT_EQ(fresh.form.Delivery().WatchingInput, !active) << active;
        EXPECT_EQ(fresh.fixTimer.enabled, !active) << active;
        fresh.form.FormDestroy();
    }
}

// With RestoreClipboard on, a typed macro offers the expanded reply instead of placing it, and
// Exit puts the user's content back before anything else; with it off the reply is placed for
// good. Either way in all three forms.
TEST_F(FormDelivery, TheRestoreClipboardSettingKeepsTheUsersClipboardUntilExit) {
    for (const int setting : {1, 0}) {
        SCOPED_TRACE(setting);
        RegWriteInteger(registry, kSettingsKey, kRestoreClipboard, setting);
        clipboard.events.clear();
        clipboard.offered.reset();
        clipboard.placed.clear();
        LeaveForNotepad();
        Type("thx ");
        form.FormDestroy();
        ASSERT_EQ(clipboard.placed.size() + (clipboard.offered ? 1 : 0), 1u);
        const ReplyContent& reply = setting == 1 ? *clipboard.offered : clipboard.placed[0];
        EXPECT_EQ(reply.rtf, "{\\rtf1 Thanks, sent 3/5/2024}\r\n");
        EXPECT_EQ(reply.text, u"Thanks, sent 3/5/2024");
        EXPECT_NE(reply.html.find(">Thanks, sent 3/5/2024<"), std::string::npos);
        const Lines events = setting == 1 ? Lines{"save", "wait 2000", "restore"} : Lines{};
        EXPECT_EQ(clipboard.events, events);
        form.FormCreate();
        form.TipTimerTimer();
    }
}

TEST_F(FormDelivery, AnAdministratorsWindowGetsNothingButOneBalloonWhoseClickCopiesTheReply) {
    // The fixed keyboard reports window 0 in front.
    input.described[0] = {"regedit.exe", "RegEdit_RegEdit", "Registry Editor", {0x3000}, {0x2000}};
    LeaveForNotepad();
    Type("thx ");
    Type("thx ");
    EXPECT_TRUE(KeysSent().empty());
    EXPECT_EQ(
        1, std::count_if(log.begin(), log.end(),
                         [](const std::string& line) {
                             return line.rfind(
                                        "notice Textwright: Textwright cannot type into programs "
                                        "running as administrator (regedit.exe).",
                                        0) == 0;
                         }))
        << "once for the program";
    EXPECT_TRUE(clipboard.placed.empty()) << "the user's clipboard is left alone";
    form.TrayBalloonClick();
    ASSERT_EQ(1u, clipboard.placed.size());
    EXPECT_EQ(u"Thanks, sent 3/5/2024", clipboard.placed[0].text);
    form.TrayBalloonClick();
    EXPECT_EQ(1u, clipboard.placed.size()) << "a second click copies nothing";
}

} // namespace
} // namespace tw
