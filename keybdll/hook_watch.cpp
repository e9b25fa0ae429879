#include "keybdll/hook_watch.h"

namespace tw::keybdll {
namespace {

// Ticks wrap after 49 days; their difference does not.
std::int32_t Since(std::uint32_t later, std::uint32_t earlier) {
    return static_cast<std::int32_t>(later - earlier);
}

} // namespace

void HookWatch::Installed(std::uint32_t now) {
    lastHookCall_ = now;
    failing_ = false;
    reported_ = false;
}

HookWatch::Action HookWatch::Check(std::uint32_t lastInput, std::uint32_t now, bool watched) {
    if (!watched) {
        return Action::None;
    }
    if (failing_) {
        return Since(now, lastAttempt_) >= static_cast<std::int32_t>(kRetryMs) ? Action::Reinstall
                                                                               : Action::None;
    }
    const bool unseen = Since(lastInput, lastHookCall_) > static_cast<std::int32_t>(kSlackMs);
    const bool settled = Since(now, lastInput) >= static_cast<std::int32_t>(kGraceMs);
    return unseen && settled ? Action::Reinstall : Action::None;
}

bool HookWatch::ReinstallEnded(bool installed, std::uint32_t now) {
    lastAttempt_ = now;
    if (installed) {
        Installed(now);
        return false;
    }
    failing_ = true;
    const bool tell = !reported_;
    reported_ = true;
    return tell;
}

} // namespace tw::keybdll
