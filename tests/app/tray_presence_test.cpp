// The tray icon's presence: wanted while the main window is hidden, and for a balloon's time.
#include "app/tray_presence.h"

#include <gtest/gtest.h>

#include <string>

namespace tw {
namespace {

TEST(TrayPresence, TheIconIsAddedAndRemovedOnlyWhenItsPresenceChanges) {
    // Events: "hide" (the window hid: icon wanted), "show", "balloon", "end" (of the balloon).
    // What each event asks of the shell: "+" add, "-" remove, "." nothing.
    const struct {
        const char* events;
        const char* changes;
    } cases[] = {
        {"hide show show", "+-."},
        {"balloon end end", "+-."},
        {"hide balloon end show", "+..-"},
        {"balloon hide end show", "+..-"}, // wanted while the balloon shows: it stays
        {"hide balloon show end", "+.-."}, // showing the window ends the balloon's icon too
        {"balloon balloon end", "+.-"},
    };
    for (const auto& c : cases) {
        TrayPresence presence;
        std::string changes;
        std::string events = c.events;
        for (std::size_t start = 0; start < events.size();) {
            std::size_t end = events.find(' ', start);
            end = end == std::string::npos ? events.size() : end;
            const std::string event = events.substr(start, end - start);
            start = end + 1;
            TrayPresence::Change change = event == "hide"      ? presence.SetWanted(true)
                                          : event == "show"    ? presence.SetWanted(false)
                                          : event == "balloon" ? presence.BalloonShown()
                                                               : presence.BalloonEnded();
            changes += change == TrayPresence::Change::Add      ? '+'
                       : change == TrayPresence::Change::Remove ? '-'
                                                                : '.';
        }
        EXPECT_EQ(c.changes, changes) << c.events;
    }
}

} // namespace
} // namespace tw
