// Typed words and hot keys: sequences of key events and key states in, triggers out.
#include "delivery/recognition.h"
#include "delivery/reply_delivery.h"
#include "delivery_fakes.h"
#include "library/model_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tw::testing {
namespace {

// Tokens: a letter or digit is that key pressed and released; "#XX" any code pressed and
// released, "+XX" only pressed, "-XX" only released (hex); "_" Space; "click" a mouse click;
// "active" / "disabled": the program is active / start-up has not completed; "late": from then
// on the system's key state shows no Shift, as when the messages are handled after it came up.
// Returns the word handed over at each Space, in brackets.
std::string TypedWords(const std::string& script) {
    RecordingDelivery keys;
    DeliveryState state;
    state.DeliveryEnabled = state.WatchingInput = true;
    std::string words;
    bool late = false;
    const auto event = [&](std::uint32_t code, bool pressed) {
        const bool shift = code == 0x10 || code == 0xA0 || code == 0xA1;
        if (shift && pressed && !late) {
            keys.down.insert(vkey::Shift);
        } else if (shift) {
            keys.down.erase(vkey::Shift);
        }
        if (RecognizeKeyAction(state, code, pressed, keys) == KeyOutcome::DeliverTypedMacro) {
            words += "[" + state.TypedWord + "]";
            state.TypedWord.clear();
        }
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
            late = true;
            keys.down.erase(vkey::Shift);
        } else if (t == "_" || t.size() == 1) {
            const std::uint32_t code = t == "_" ? 0x20 : std::toupper(t[0]);
            event(code, true);
            event(code, false);
        } else {
            const std::uint32_t code = std::stoul(t.substr(1), nullptr, 16);
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
    for (const auto& c : cases) {
        EXPECT_EQ(c.words, TypedWords(c.script)) << c.script;
    }
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

    // One token per 50 ms tick: what is held then ("c" Ctrl, "a" Alt, "s" Shift, upper-case
    // letters and digits those keys, "-" nothing); a leading "!" means start-up has not
    // completed. Returns "tick:reply" for each reply copied.
    std::string Ticks(const std::string& script) {
        std::istringstream in(script);
        std::string fired;
        int tick = 0;
        for (std::string t; in >> t; ++tick) {
            delivery.State().DeliveryEnabled = t[0] != '!';
            fake.down.clear();
            for (char k : t) {
                if (k == 'c' || k == 'a' || k == 's') {
                    fake.down.insert(k == 'c' ? vkey::Ctrl : k == 'a' ? vkey::Alt : vkey::Shift);
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
