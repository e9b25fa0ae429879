#include "delivery/delivery_profile.h"

#include "delivery/delivery_plan.h"
#include "library/collation.h"

#include <algorithm>

namespace tw {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

int Specificity(const DeliveryProfile& p) {
    return (p.windowClass.empty() ? 0 : 1) + (p.titlePattern.empty() ? 0 : 1);
}

bool Matches(const DeliveryProfile& p, const TargetWindow& w) {
    return !p.program.empty() && SameTextAscii(p.program, w.program) &&
           (p.windowClass.empty() || SameTextAscii(p.windowClass, w.windowClass)) &&
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

bool InputDroppedBy(const TargetWindow& window) {
    return window.integrity.denied ||
           (window.integrity.level >= 0 && window.integrity.level > window.ours.level);
}

std::vector<DeliveryProfile> DefaultProfiles() {
    struct Default {
        const char* name;
        const char* program;
        PasteMethod paste;
        int keyDelayMs;
        int pauseMs;
    };
    constexpr PasteMethod kShiftInsert = PasteMethod::ShiftInsert;
    constexpr PasteMethod kTypeOut = PasteMethod::TypeOut;
    static constexpr Default kDefaults[] = {
        // Terminals: Ctrl+V goes to the remote host as a control character, Shift+Insert pastes.
        {"PuTTY", "putty.exe", kShiftInsert, 0, 0},
        {"KiTTY", "kitty.exe", kShiftInsert, 0, 0},
        {"mintty", "mintty.exe", kShiftInsert, 0, 0},
        {"MobaXterm", "mobaxterm.exe", kShiftInsert, 0, 0},
        {"ConEmu", "conemu64.exe", kShiftInsert, 0, 0},
        {"ConEmu (32-bit)", "conemu.exe", kShiftInsert, 0, 0},
        {"SecureCRT", "securecrt.exe", kShiftInsert, 0, 0},
        // Binds paste to Ctrl+Shift+V by default; Ctrl+V only in newer settings files.
        {"Windows Terminal", "windowsterminal.exe", PasteMethod::CtrlShiftV, 0, 0},
        // Remote sessions lose keys sent faster than they forward them and paste only what their
        // clipboard sync has caught up with: typed out, slowly, after a pause.
        {"Remote Desktop", "mstsc.exe", kTypeOut, 10, 100},
        {"Citrix", "wfica32.exe", kTypeOut, 10, 100},
        {"Citrix (CDViewer)", "cdviewer.exe", kTypeOut, 10, 100},
    };
    std::vector<DeliveryProfile> defaults;
    for (const Default& d : kDefaults) {
        defaults.push_back({d.name, d.program, "", "", d.paste, d.keyDelayMs, d.pauseMs, true});
    }
    return defaults;
}

DeliveryPlan ApplyProfile(const DeliveryPlan& plan, const DeliveryProfile* profile,
                          const TargetWindow& target) {
    if (InputDroppedBy(target) && std::any_of(plan.begin(), plan.end(), Injects)) {
        DeliveryPlan told;
        for (const DeliveryStep& s : plan) {
            if (Injects(s) || std::holds_alternative<step::Activate>(s)) {
                continue;
            }
            // Nor is the user's clipboard replaced behind their back: the reply is kept for
            // the notice, whose click copies it.
            if (const auto* expand = std::get_if<step::ExpandAndCopy>(&s)) {
                step::ExpandAndCopy held = *expand;
                held.holdForNotice = true;
                held.keepUserClipboard = false;
                told.push_back(held);
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
