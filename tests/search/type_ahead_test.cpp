// Keys typed right after the picker's hot key are held for its search box; everything else goes
// on to the window in front.
#include "ui/type_ahead.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

// "C+" Ctrl down, "A-" Alt up, "S" Space, "H" Shift, letters as themselves; "r" after the sign
// marks an auto-repeat, "@N" sets the clock to N ms.
struct Event {
    std::uint32_t vk;
    bool pressed;
    bool repeat;
};

std::vector<std::pair<Event, std::uint32_t>> Parse(const std::string& script) {
    std::vector<std::pair<Event, std::uint32_t>> events;
    std::uint32_t now = 0;
    std::size_t i = 0;
    while (i < script.size()) {
        const char c = script[i];
        if (c == ' ') {
            ++i;
        } else if (c == '@') {
            std::size_t used = 0;
            now = static_cast<std::uint32_t>(std::stoul(script.substr(i + 1), &used));
            i += 1 + used;
        } else {
            const std::uint32_t vk = c == 'C'   ? 0xA2
                                     : c == 'A' ? 0xA4
                                     : c == 'S' ? 0x20
                                     : c == 'H' ? 0xA0
                                                : static_cast<std::uint32_t>(c);
            const bool repeat = i + 2 < script.size() && script[i + 2] == 'r';
            events.push_back({{vk, script[i + 1] == '+', repeat}, now});
            i += repeat ? 3 : 2;
        }
    }
    return events;
}

std::string Name(const KeyAction& k) {
    std::string s(1, k.virtualKey == 0x20 ? 'S' : static_cast<char>(k.virtualKey));
    return s + (k.pressed ? "+" : "-");
}

TEST(TypeAhead, KeysAfterTheHotKeyAreHeldInOrderForThePickerUntilItCloses) {
    constexpr int kCtrlAltSpace = kDefaultPickerHotKey;
    const struct {
        const char* name;
        int hotKey;
        const char* before; // events before the picker takes the keys
        const char* held;   // what it takes, as "a+ a- "
        const char* after;  // events after it has taken them
    } cases[] = {
        {"typed after the hot key", kCtrlAltSpace, "C+ A+ S+ S- A- C- M+ M- U+ U-", "M+ M- U+ U- ",
         "X+ X-"},
        {"typed with the hot key's keys still down", kCtrlAltSpace, "C+ A+ S+ M+ S- M- A- C-",
         "M+ M- ", ""},
        {"the hot key repeating is not typing", kCtrlAltSpace, "C+ A+ S+ S+r S+r S- A- C- Q+",
         "Q+ ", ""},
        {"keys before the hot key go on", kCtrlAltSpace, "M+ M- C+ A+ S+ S- A- C-", "", ""},
        {"another chord holds nothing", kCtrlAltSpace, "C+ A+ H+ S+ S- H- A- C- M+ M-", "", ""},
        {"Space alone holds nothing", kCtrlAltSpace, "S+ S- M+ M-", "", ""},
        {"no hot key registered", 0, "C+ A+ S+ S- A- C- M+ M-", "", ""},
        {"holding ends by itself", kCtrlAltSpace, "C+ A+ S+ S- A- C- M+ @1200 U+ U-", "M+ ", ""},
        {"a changed hot key", kHotKeyCtrl | kHotKeyShift | 'F', "C+ H+ F+ F- H- C- Q+ Q-", "Q+ Q- ",
         ""},
    };
    for (const auto& c : cases) {
        TypeAhead typeAhead;
        typeAhead.Arm(c.hotKey);
        std::string kept;
        for (const auto& [e, now] : Parse(c.before)) {
            if (typeAhead.KeyEvent({e.vk, e.pressed, 0, false, e.repeat}, now)) {
                kept += Name({e.vk, e.pressed}) + " ";
            }
        }
        std::string held;
        for (const KeyAction& k : typeAhead.Take()) {
            held += Name(k) + " ";
        }
        EXPECT_EQ(c.held, held) << c.name;
        EXPECT_EQ(c.held, kept) << c.name << ": what is held is what was kept from the window";
        // Taken, holding goes on past its time limit, until the picker closes.
        const bool holding = typeAhead.Holding();
        std::string later;
        for (const auto& [e, now] : Parse(c.after)) {
            EXPECT_EQ(holding,
                      typeAhead.KeyEvent({e.vk, e.pressed, 0, false, e.repeat}, now + 5000))
                << c.name;
        }
        for (const KeyAction& k : typeAhead.Take()) {
            later += Name(k) + " ";
        }
        const std::string after = c.after;
        EXPECT_EQ(holding && !after.empty() ? after + " " : "", later) << c.name;
        typeAhead.End();
        for (const auto& [e, now] : Parse("M+ M-")) {
            EXPECT_FALSE(typeAhead.KeyEvent({e.vk, e.pressed, 0, false, e.repeat}, now)) << c.name;
        }
    }
}

} // namespace
} // namespace tw
