#pragma once
// How a reply reaches a particular kind of window. Every delivery ends with a synthesized
// Ctrl+V, which is wrong for terminals (Ctrl+V sends a control character there), for remote
// sessions (keys sent too fast are lost) and for elevated programs (input from a normal
// program is dropped). A profile matches the window in front and rewrites the planned steps;
// with no match the plan stays exactly as it is.
#include "delivery/delivery_steps.h"

#include <string>
#include <vector>

namespace tw {

enum class PasteMethod { CtrlV, ShiftInsert, CtrlShiftV, TypeOut };

struct DeliveryProfile {
    std::string name;
    std::string program;      // the program's file name, "putty.exe"; without regard to case
    std::string windowClass;  // empty: any class; otherwise equal without regard to case
    std::string titlePattern; // empty: any title; '*' and '?' as wildcards, without case
    PasteMethod paste = PasteMethod::CtrlV;
    int keyDelayMs = 0;         // between synthesized keys, each then sent alone
    int pauseBeforePasteMs = 0; // before the paste keys or the typing
    bool recognise = true;      // typed macros and hot keys are recognised in the window
    bool operator==(const DeliveryProfile&) const = default;
};

// The profile for the window: the most specific that matches (program, class and title
// before program and class or title, before program alone); among equals, the first. Null
// when none matches.
const DeliveryProfile* MatchProfile(const std::vector<DeliveryProfile>& profiles,
                                    const TargetWindow& window);

// '*' any run of characters, '?' any one; without regard to ASCII case.
bool MatchesWildcard(const std::string& pattern, const std::string& text);

// The profiles a first start gets, and what Reset to defaults brings back.
std::vector<DeliveryProfile> DefaultProfiles();

// The plan rewritten for the profile (null: unchanged) and the target. Into a target that drops
// our input nothing is injected and nothing copied: the reply is made for the notice that tells
// the user.
DeliveryPlan ApplyProfile(const DeliveryPlan& plan, const DeliveryProfile* profile,
                          const TargetWindow& target);

} // namespace tw
