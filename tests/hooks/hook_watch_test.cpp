// The hook library's watch over its low-level hooks: input the system saw that no hook reported,
// once it had time to arrive, asks for the hooks to be installed again; a failed reinstall is
// retried and told once per outage; input outside what the hooks watch never counts.
#include "keybdll/hook_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::keybdll {
namespace {

// One call on the watch and what it must answer. For Check: a = last input, b = now, flag =
// watched, answer = reinstall. For Ended: flag = installed, b = now, answer = tell the user.
struct Call {
    enum Kind { Installed, HookCalled, Check, Ended } kind;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    bool flag = true;
    bool answer = false;
};

struct Script {
    std::string name;
    std::vector<Call> calls;
};

TEST(HookWatch, ReinstallsAfterUnseenInputAndTellsOncePerOutage) {
    using C = Call;
    const std::uint32_t wrap = 0xFFFFFF00u;
    const std::vector<Script> scripts = {
        {"input the hooks reported never asks",
         {{C::Installed, 0, 1000}, {C::HookCalled, 0, 1205}, {C::Check, 1200, 9000, true, false}}},
        {"unseen input asks once it had time to arrive",
         {{C::Installed, 0, 1000},
          {C::HookCalled, 0, 1205},
          {C::Check, 1400, 1800, true, false},
          {C::Check, 1400, 1900, true, true}}},
        {"input a tick after the last call is the same event",
         {{C::Installed, 0, 1000}, {C::HookCalled, 0, 1200}, {C::Check, 1250, 9000, true, false}}},
        {"input no hook watches never asks",
         {{C::Installed, 0, 1000}, {C::Check, 5000, 9000, false, false}}},
        {"input from before a successful reinstall is forgotten",
         {{C::Installed, 0, 1000},
          {C::Check, 1300, 1800, true, true},
          {C::Ended, 0, 1800, true, false},
          {C::Check, 1300, 2500, true, false},
          {C::Check, 2600, 3100, true, true}}},
        {"a failure is told once, retried each second, and told again after it worked",
         {{C::Installed, 0, 1000},
          {C::Ended, 0, 3000, false, true},
          {C::Check, 3000, 3500, true, false},
          {C::Check, 3000, 4000, true, true},
          {C::Ended, 0, 4000, false, false},
          {C::Check, 3000, 4500, false, false},
          {C::Ended, 0, 5000, true, false},
          {C::Check, 4900, 9000, true, false},
          {C::Ended, 0, 9000, false, true}}},
        {"ticks that wrap around still compare",
         {{C::Installed, 0, wrap},
          {C::HookCalled, 0, wrap + 0x80},
          {C::Check, wrap + 0x70, 0x300, true, false},
          {C::Check, 0x10, 0x300, true, true}}},
    };
    for (const Script& script : scripts) {
        HookWatch watch;
        for (std::size_t i = 0; i < script.calls.size(); ++i) {
            const Call& c = script.calls[i];
            switch (c.kind) {
            case C::Installed:
                watch.Installed(c.b);
                break;
            case C::HookCalled:
                watch.HookCalled(c.b);
                break;
            case C::Check:
                EXPECT_EQ(watch.Check(c.a, c.b, c.flag) == HookWatch::Action::Reinstall, c.answer)
                    << script.name << ", call " << i;
                break;
            case C::Ended:
                EXPECT_EQ(watch.ReinstallEnded(c.flag, c.b), c.answer)
                    << script.name << ", call " << i;
                break;
            }
        }
    }
}

} // namespace
} // namespace tw::keybdll
