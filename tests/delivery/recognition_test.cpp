// Typed words and hot keys: sequences of key events and key states in, triggers out.
#include "delivery/recognition.h"
#include "delivery/reply_delivery.h"
#include "delivery_fakes.h"
#include "fake_keyboard.h"
#include "library/model_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace tw::testing {
namespace {

// The virtual-key code of a key in a script: one character is that letter's or digit's key,
// two are a hex code.
std::uint32_t KeyCode(const std::string& key) {
    return key.size() == 1 ? static_cast<std::uint32_t>(std::toupper(key[0]))
                           : static_cast<std::uint32_t>(std::stoul(key, nullptr, 16));
}

// Tokens: a letter or digit is that key pressed and released; "#XX" any code pressed and
// released, "+XX" only pressed, "-XX" only released (hex); "S:k" the key k with left Shift,
// "G:k" with AltGr as Windows reports it (left Ctrl, then right Alt), "R:k" with right Alt alone,
// "W:k" with AltGr as Wine reports the X server's (a key code of its own); "_" Space; "click" a
// mouse click; "caps" Caps Lock; "ime"/"noime" the input method of the window in front
// opens/closes; "win" another window comes to the front; "active" / "disabled": the program is
// active / start-up has not completed; "late": the messages are handled after Shift came up, which
// changes nothing as Shift comes from the events alone. Returns the word handed over at each Space,
// in brackets.
std::string TypedWords(const std::string& script, KeyboardLayoutPort& keyboard,
                       FakeKeyboard* system = nullptr) {
    DeliveryState state;
    state.DeliveryEnabled = state.WatchingInput = true;
    std::string words;
    const auto event = [&](std::uint32_t code, bool pressed, bool repeat = false) {
        if (RecognizeKeyAction(state, KeyAction{code, pressed, 0, false, repeat}, keyboard) ==
            KeyOutcome::DeliverTypedMacro) {
            words += "[" + state.TypedWord + "]";
            state.TypedWord.clear();
        }
    };
    const auto stroke = [&](std::uint32_t code) {
        event(code, true);
        event(code, false);
    };
    std::istringstream in(script);
    for (std::string t; in >> t;) {
        if (t == "click") {
            state.TypedWord.clear(); // what MouseHookMouseClick does
        } else if (t == "active") {
            state.WatchingInput = false;
        } else if (t == "disabled") {
            state.DeliveryEnabled = false;
        } else if (t == "late") {
            // The shift state comes from the events alone, so this changes nothing.
        } else if (t == "caps") {
            stroke(0x14);
        } else if (system && (t == "ime" || t == "noime")) {
            system->inputMethodOpen = t == "ime";
        } else if (system && t == "win") {
            system->foreground += 1;
        } else if (t.size() > 2 && t[1] == ':') {
            const std::uint32_t code = KeyCode(t.substr(2));
            const std::uint32_t first = t[0] == 'S'   ? vkey::LeftShift
                                        : t[0] == 'G' ? vkey::LeftCtrl
                                        : t[0] == 'W' ? kWineAltGr
                                                      : vkey::RightAlt;
            event(first, true);
            if (t[0] == 'G') {
                event(vkey::RightAlt, true);
            }
            stroke(code);
            event(first, false);
            if (t[0] == 'G') {
                event(vkey::RightAlt, false);
            }
        } else if (t == "_" || t.size() == 1) {
            stroke(t == "_" ? 0x20 : KeyCode(t));
        } else {
            const auto code = static_cast<std::uint32_t>(std::stoul(t.substr(1), nullptr, 16));
            if (t[0] != '-') {
                event(code, true);
            }
            if (t[0] != '+') {
                event(code, false);
            }
        }
    }
    return words;
}

TEST(TypedWordRecognition, CollectsTheWordTypedBeforeEachSpace) {
    const struct {
        const char* script;
        const char* words;
    } cases[] = {
        {"h e l l o _", "[hello]"},
        {"+A0 h -A0 e l l o _", "[Hello]"},
        {"+10 h e l l o -10 _", "[HELLO]"},
        {"h e l o #08 l o _", "[lo]"},
        {"s i g +A0 9 -A0 j o h n #BC s m i t h +A1 0 -A1 _", "[sig(john,smith)]"},
        {"+A0 #BC #BE #BA #BB #BD #BF #C0 #DB #DC #DD #DE -A0 _", "[<>:+_?~{|}\"]"},
        {"#BC #BE #BA #BB #BD #BF #C0 #DB #DC #DD #DE _", "[,.;=-/`[\\]']"},
        {"h e click l l o _", "[llo]"},
        {"h e #A2 l l o _", "[llo]"},
        {"h e #A4 l l o _", "[llo]"},
        {"h e #11 l l o _", "[llo]"},
        {"+A3 h e -A3 l l o _", "[llo]"},
        {"+12 h e -12 l l o _", "[llo]"},
        {"+A5 h e -A5 l l o _", "[llo]"},
        {"h e +A0 -A0 l l +A1 -A1 o _", "[hello]"},
        {"late s i g +A0 9 -A0 a n n #BC l e e +A1 0 -A1 _", "[sig(ann,lee)]"},
        {"+A0 +A1 -A1 x -A0 y _", "[Xy]"},
        {"+A0 +10 -10 x _", "[x]"},
        {"a 1 2 b _", "[a12b]"},
        {"a #61 b _", "[b]"},
        {"a #0D b #25 c #70 d _", "[d]"},
        {"a #100 #0 b _", "[ab]"},
        {"+41 +41 +41 -41 _", "[aaa]"},
        {"h i _ y o _ _", "[hi][yo][]"},
        {"active h i _", ""},
        {"disabled h i _", ""},
    };
    FixedUsLayout us;
    for (const auto& c : cases) {
        EXPECT_EQ(c.words, TypedWords(c.script, us)) << c.script;
    }
}

struct LayoutCase {
    KeyboardLayout layout;
    const char* script;
    const char* words;
};

template <std::size_t N> void ExpectWords(const LayoutCase (&cases)[N]) {
    for (const LayoutCase& c : cases) {
        FakeKeyboard keyboard;
        keyboard.layout = c.layout;
        EXPECT_EQ(c.words, TypedWords(c.script, keyboard, &keyboard))
            << "layout " << c.layout << ": " << c.script;
    }
}

// The same words typed on other keyboards: each key types what the layout of the window in
// front gives it with the hook's own Shift, Caps Lock and AltGr.
TEST(TypedWordRecognition, FollowsTheLayoutOfTheWindowInFront) {
    const LayoutCase cases[] = {
        {kUs, "s i g S:9 S:a n n #BC S:l e e S:0 _", "[sig(Ann,Lee)]"},
        {kUs, "caps s i g S:9 S:a n _", "[SIG(aN]"},
        {kUs, "a #6B b 1 _", "[b1]"}, // the keypad's plus sign is no part of a word
        {kUk, "m e S:C0 S:2 x _ #DE 4 _", "[me@\"x][#4]"},
        {kUk, "a G:4 b _", "[b]"}, // a pound sign is not a macro character
        {kGerman, "s i g S:8 S:a n n #BC S:l e e S:9 _", "[sig(Ann,Lee)]"},
        {kGerman, "m e G:q x _ m e W:q x _ m e R:q x _", "[me@x][me@x][me@x]"},
        {kGerman, "a b G:7 c _", "[ab{c]"},
        {kGerman, "caps s 1 _ caps x #BA y _", "[S1][y]"},
        {kGerman, "n #DC a x _ n #DC #DC _", "[x][n^^]"}, // a composed letter is no macro character
        {kGerman, "d e #DD e _ n S:DD a _", "[][]"},
        {kGerman, "a b #DC _", ""}, // Space after a dead key types the accent: no delivery
        {kGerman, "a b #DC _ c _", "[ab^c]"},
        {kFrench, "s i g 5 S:a n n #BC S:l e e #DB _", "[sig(Ann,Lee)]"},
        {kFrench, "t S:2 S:0 _ t 2 _ caps t 1 _ caps", "[t20][][T1]"},
        {kFrench, "m G:0 x _ G:2 n z _", "[m@x][z]"},
        {kFrench, "x #DD a _ x #DD q _", "[][x^q]"},
        {kSwissGerman, "s i g S:8 S:a n n #BC S:l e e S:9 _ S:1 G:2 _", "[sig(Ann,Lee)][+@]"},
        {kSwissGerman, "a #DD e _ a S:DD a _ a G:DD n _ a #DD z _", "[][][][a^z]"},
        {kUsInternational, "d o n #DE t _ #DE e x _", "[don't][x]"},
        {kUsInternational, "S:DE u a _ S:DE a _ #C0 S:C0 n _ S:6 e _", "[a][\"a][`~n][]"},
        {kUsInternational, "a W:e b _ a G:e b _ a R:e b _", "[b][b][b]"},
    };
    ExpectWords(cases);
}

// AltGr neither empties the word nor is taken for Ctrl+Alt; an input method's keys and a
// change of the window in front empty it.
TEST(TypedWordRecognition, KeepsTheWordOnlyWhileItIsTypedIntoOneWindowWithoutAnInputMethod) {
    const LayoutCase cases[] = {
        {kGerman, "a +A2 +A5 -A2 -A5 b _", "[ab]"},
        {kGerman, "a +A2 +A5 -A5 -A2 b _", "[ab]"},
        {kGerman, "a +A5 -A5 b _", "[ab]"},
        {kGerman, "a +A2 +A2 +A5 -A5 -A2 b _", "[b]"},
        {kUs, "a +A2 +A5 -A5 -A2 b _", "[b]"},
        {kUs, "a +A5 -A5 b _", "[b]"},
        {kGerman, "a +A4 q -A4 b _", "[b]"},
        {kUs, "h e win l l o _", "[llo]"},
        {kUs, "h e l l o win _", "[]"},
        {kUs, "h e l l o _ win h i _", "[hello][hi]"},
        {kUs, "h e ime l l o _ noime h i _", "[hi]"},
        {kUs, "h e #E5 l o _", "[lo]"},
    };
    ExpectWords(cases);
}

// Caps Lock starts as the system shows it when the program loses the front; activating another
// window empties the word, a late report of the window it is typed in does not.
TEST(TypedWordRecognition, StartsFromTheSystemsCapsLockAndForgetsWordsOfOtherWindows) {
    RecordingDelivery fake;
    FakeKeyboard keyboard;
    keyboard.capsLock = true;
    DeliveryPorts ports = fake.Ports();
    ports.keyboard = &keyboard;
    ReplyDelivery delivery{ports, fake};
    delivery.State().DeliveryEnabled = true;
    delivery.ApplicationEventsDeactivate();
    const std::pair<std::uint32_t, bool> events[] = {{'H', true},  {'H', false}, {'I', true},
                                                     {'I', false}, {0xA0, true}, {'X', true},
                                                     {'X', false}, {0xA0, false}};
    for (const auto& [key, pressed] : events) {
        delivery.KeyHookKeyAction(key, pressed);
    }
    EXPECT_EQ("HIx", delivery.State().TypedWord);
    delivery.ShellHookWindowActivated(keyboard.foreground);
    EXPECT_EQ("HIx", delivery.State().TypedWord);
    delivery.ShellHookWindowActivated(keyboard.foreground + 1);
    EXPECT_EQ("", delivery.State().TypedWord);
}

// A library with hot keys, delivered through the real FixTimer handler.
struct HotKeys : ModelFixture {
    RecordingDelivery fake;
    ReplyDelivery delivery{fake.Ports(), fake};

    HotKeys() {
        Reply("Kay", nullptr, "1", "", "0K");
        Reply("ShiftKay", nullptr, "2", "", "1K");
        Reply("Em", nullptr, "3", "", "0M");
        Reply("Five", nullptr, "4", "", "05");
        Reply("ShiftEll", nullptr, "5", "", "1L");
        Reply("Lower", nullptr, "6", "", "0q");
        fake.library = &list;
        delivery.State().DeliveryEnabled = true;
        delivery.ApplicationEventsDeactivate();
    }

    // One token per 50 ms tick: what is held then ("c" left Ctrl, "x" right Ctrl, "a" left Alt,
    // "r" right Alt, "g" AltGr as Windows shows it: left Ctrl and right Alt; "s" Shift;
    // upper-case letters and digits those keys; "-" nothing); "*": the hook's events showed the
    // left Ctrl to be a real key; a leading "!" means start-up has not completed. Returns
    // "tick:reply" for each reply copied.
    std::string Ticks(const std::string& script) {
        std::istringstream in(script);
        std::string fired;
        int tick = 0;
        for (std::string t; in >> t; ++tick) {
            delivery.State().DeliveryEnabled = t[0] != '!';
            const bool realLeftCtrl = t.find('*') != std::string::npos;
            delivery.KeyHookKeyAction(vkey::LeftCtrl, realLeftCtrl);
            delivery.KeyHookKeyAction(vkey::LeftCtrl, realLeftCtrl);
            fake.down.clear();
            for (char k : t) {
                const std::map<char, std::vector<std::uint8_t>> modifiers = {
                    {'c', {vkey::Ctrl, vkey::LeftCtrl}},
                    {'x', {vkey::Ctrl, vkey::RightCtrl}},
                    {'a', {vkey::Alt, vkey::LeftAlt}},
                    {'r', {vkey::Alt, vkey::RightAlt}},
                    {'g', {vkey::Ctrl, vkey::LeftCtrl, vkey::Alt, vkey::RightAlt}},
                    {'s', {vkey::Shift}}};
                if (modifiers.count(k)) {
                    fake.down.insert(modifiers.at(k).begin(), modifiers.at(k).end());
                } else if (std::isupper(static_cast<unsigned char>(k)) || std::isdigit(k)) {
                    fake.down.insert(static_cast<std::uint8_t>(k));
                }
            }
            fake.log.clear();
            delivery.FixTimerTimer();
            for (const std::string& line : fake.log) {
                if (line.rfind("copy ", 0) == 0) {
                    fired += (fired.empty() ? "" : " ") + std::to_string(tick) + ":" +
                             line.substr(5, line.find(' ', 5) - 5);
                }
            }
        }
        return fired;
    }
};

TEST_F(HotKeys, FireOnceRightAfterTheirKeyIsReleased) {
    const struct {
        const char* ticks;
        const char* fired;
    } cases[] = {
        {"caK caK caK ca -", "3:Kay"},
        {"caK - caK caK c", "1:Kay 4:Kay"},
        {"casK ca", "1:ShiftKay"},
        {"caL ca -", ""},        // defined only with Shift
        {"casM cas -", ""},      // defined only without Shift
        {"caKM caM -", "1:Kay"}, // first in index order
        {"ca5 -", "1:Five"},
        {"caQ -", "1:Lower"},
        {"aK -", ""},
        {"cK -", ""},
        {"!caK !caK -", ""},
        {"!caK - caK -", "3:Kay"},
        {"caK !- -", "2:Kay"},
        {"gK g -", ""}, // AltGr+K is not Ctrl+Alt+K
        {"rK -", ""},   // nor is AltGr as Wine shows it
        {"xrK -", "1:Kay"},
        {"xaK -", "1:Kay"},
        {"*gK *g -", "1:Kay"},
        {"crK -", ""}, // a left Ctrl not known to be real
    };
    for (const auto& c : cases) {
        delivery.State().PendingHotKey = -1;
        EXPECT_EQ(c.fired, Ticks(c.ticks)) << c.ticks;
    }
}

TEST_F(HotKeys, TheTimerRunsOnlyWhileTheProgramIsInactive) {
    delivery.State().TypedWord = "he";
    fake.down = {vkey::Ctrl, vkey::Alt, 'K'};
    delivery.FixTimerTimer();
    delivery.ApplicationEventsActivate();
    fake.down.clear();
    delivery.FixTimerTimer(); // a tick queued before the program came to the front
    EXPECT_EQ("he", delivery.State().TypedWord);
    EXPECT_EQ((std::vector<std::string>{"timer on", "commit", "timer off", "timer on", "timer off",
                                        "timer off"}),
              std::vector<std::string>(fake.log.begin(), fake.log.begin() + 6));
    EXPECT_EQ("timer off", fake.log.back());
}

} // namespace
} // namespace tw::testing
