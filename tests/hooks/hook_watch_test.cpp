// The hook library's watch over its low-level hooks: input the system saw that no hook reported,
// once it had time to arrive, asks for the hooks to be installed again; a failed reinstall is
// retried each second and told once per outage; input outside what the hooks watch never counts.
#include "keybdll/hook_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::keybdll {
namespace {

// One call and its answer. 'I'nstalled at b, 'H'ook called at b, 'C'heck (last input a, now b,
// watched) answers "reinstall", 'E'nded (installed = watched, at b) answers "tell the user".
struct Call {
    char kind = 'I';
    std::uint32_t a = 0, b = 0;
    bool watched = false, answer = false;
};

TEST(HookWatch, ReinstallsAfterUnseenInputAndTellsOncePerOutage) {
    const std::uint32_t wrap = 0xFFFFFF00u;
    const struct {
        const char* name;
        std::vector<Call> calls;
    } scripts[] = {
        {"reported input never asks; unseen input asks once it had time to arrive",
         {{'I', 0, 1000},
          {'H', 0, 1205},
          {'C', 1200, 9000, true, false},
          {'C', 1250, 9000, true, false},
          {'C', 1400, 1800, true, false},
          {'C', 1400, 1900, true, true},
          {'C', 1400, 9000, false, false}}},
        {"a failure is told once and retried each second; after a reinstall that worked, older "
         "input is forgotten and a new failure told again",
         {{'I', 0, 1000},
          {'E', 0, 3000, false, true},
          {'C', 3000, 3500, true, false},
          {'C', 3000, 4000, true, true},
          {'E', 0, 4000, false, false},
          {'E', 0, 5000, true, false},
          {'C', 4900, 9000, true, false},
          {'E', 0, 9000, false, true}}},
        {"ticks that wrap around still compare",
         {{'I', 0, wrap},
          {'H', 0, wrap + 0x80},
          {'C', wrap + 0x70, 0x300, true, false},
          {'C', 0x10, 0x300, true, true}}},
    };
    for (const auto& script : scripts) {
        HookWatch watch;
        for (std::size_t i = 0; i < script.calls.size(); ++i) {
            const Call& c = script.calls[i];
            if (c.kind == 'I') {
                watch.Installed(c.b);
            } else if (c.kind == 'H') {
                watch.HookCalled(c.b);
            } else {
                const bool answer =
                    c.kind == 'C' ? watch.Check(c.a, c.b, c.watched) == HookWatch::Action::Reinstall
                                  : watch.ReinstallEnded(c.watched, c.b);
                EXPECT_EQ(c.answer, answer) << script.name << ", call " << i;
            }
        }
    }
}

} // namespace
} // namespace tw::keybdll
