#include "delivery/delivery_profile.h"

#include "delivery/delivery_plan.h"

#include <algorithm>

namespace tw {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

int Specificity(const DeliveryProfile& p) {
    return (p.windowClass.empty() ? 0 : 1) + (p.titlePattern.empty() ? 0 : 1);
}

bool Matches(const DeliveryProfile& p, const TargetWindow& w) {
    return !p.program.empty() && SameText(p.program, w.program) &&
           (p.windowClass.empty() || SameText(p.windowClass, w.windowClass)) &&
           (p.titlePattern.empty() || MatchesWildcard(p.titlePattern, w.title));
}

bool IsPasteChord(const step::Keys& keys) {
    return keys.events == CtrlVEvents();
}

std::vector<KeyEvent> PasteEvents(PasteMethod method) {
    switch (method) {
    case PasteMethod::ShiftInsert:
        return {
            {vkey::Shift, false}, {vkey::Insert, false}, {vkey::Insert, true}, {vkey::Shift, true}};
    case PasteMethod::CtrlShiftV:
        return {{vkey::Ctrl, false}, {vkey::Shift, false}, {vkey::V, false},
                {vkey::V, true},     {vkey::Shift, true},  {vkey::Ctrl, true}};
    default:
        return CtrlVEvents();
    }
}

bool Injects(const DeliveryStep& s) {
    return std::holds_alternative<step::Keys>(s) || std::holds_alternative<step::TypeText>(s) ||
           std::holds_alternative<step::Click>(s) ||
           std::holds_alternative<step::ReleaseModifierKeys>(s);
}

} // namespace

bool MatchesWildcard(const std::string& pattern, const std::string& text) {
    // Iterative, with one backtrack point: linear enough for titles, never recursive.
    std::size_t p = 0, t = 0, star = std::string::npos, mark = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(text[t]))) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = t;
        } else if (star != std::string::npos) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

const DeliveryProfile* MatchProfile(const std::vector<DeliveryProfile>& profiles,
                                    const TargetWindow& window) {
    const DeliveryProfile* best = nullptr;
    for (const DeliveryProfile& p : profiles) {
        if (Matches(p, window) && (!best || Specificity(p) > Specificity(*best))) {
            best = &p;
        }
    }
    return best;
}

std::vector<DeliveryProfile> DefaultProfiles() {
    std::vector<DeliveryProfile> defaults;
    // Terminals that send Ctrl+V to the remote host as a control character and paste with
    // Shift+Insert.
    for (const char* program : {"putty.exe", "kitty.exe", "mintty.exe", "mobaxterm.exe",
                                "conemu64.exe", "conemu.exe", "securecrt.exe"}) {
        defaults.push_back({std::string(program, std::string(program).find('.')), program, "", "",
                            PasteMethod::ShiftInsert, 0, 0, true});
    }
    // Windows Terminal binds paste to Ctrl+Shift+V by default (Ctrl+V too since 1.x, but not
    // in every user's settings).
    defaults.push_back(
        {"Windows Terminal", "windowsterminal.exe", "", "", PasteMethod::CtrlShiftV, 0, 0, true});
    // Remote sessions lose keys sent faster than they forward them and paste only what their
    // own clipboard sync has caught up with: type the reply out, slowly.
    defaults.push_back(
        {"Remote Desktop", "mstsc.exe", "", "", PasteMethod::TypeOut, 10, 100, true});
    defaults.push_back({"Citrix", "wfica32.exe", "", "", PasteMethod::TypeOut, 10, 100, true});
    defaults.push_back(
        {"Citrix (CDViewer)", "cdviewer.exe", "", "", PasteMethod::TypeOut, 10, 100, true});
    return defaults;
}

DeliveryPlan ApplyProfile(const DeliveryPlan& plan, const DeliveryProfile* profile,
                          const TargetWindow& target) {
    if (target.elevated && std::any_of(plan.begin(), plan.end(), Injects)) {
        DeliveryPlan told;
        for (const DeliveryStep& s : plan) {
            // Nor is the user's clipboard replaced behind their back: copying the reply
            // instead is theirs to choose once told.
            if (Injects(s) || std::holds_alternative<step::Activate>(s) ||
                std::holds_alternative<step::ExpandAndCopy>(s)) {
                continue;
            }
            told.push_back(s);
        }
        told.push_back(step::TellCannotType{target.program});
        return told;
    }
    if (!profile) {
        return plan;
    }
    DeliveryPlan out;
    for (const DeliveryStep& s : plan) {
        const auto* keys = std::get_if<step::Keys>(&s);
        if (!keys) {
            out.push_back(s);
            continue;
        }
        if (!IsPasteChord(*keys)) {
            out.push_back(step::Keys{keys->events, profile->keyDelayMs});
            continue;
        }
        if (profile->pauseBeforePasteMs > 0) {
            out.push_back(step::Sleep{profile->pauseBeforePasteMs});
        }
        if (profile->paste == PasteMethod::TypeOut) {
            out.push_back(step::TypeText{profile->keyDelayMs});
        } else {
            out.push_back(step::Keys{PasteEvents(profile->paste), profile->keyDelayMs});
        }
    }
    return out;
}

} // namespace tw
