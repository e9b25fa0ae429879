#pragma once
// Notices that the system has removed the low-level hooks. Windows drops a hook whose callback
// once took too long, and tells nobody: keys and clicks then simply stop arriving. Input that
// the system saw and no installed hook reported means the hooks are gone; they are installed
// again, and a failure to do so is reported once.
#include <cstdint>

namespace tw::keybdll {

class HookWatch {
public:
    // Input older than this has had its time to reach the hooks: their thread runs the check
    // only once it has nothing else to do, so their callbacks for that input have run.
    static constexpr std::uint32_t kGraceMs = 500;
    // The system's input time and the hooks' clock may be a tick apart.
    static constexpr std::uint32_t kSlackMs = 100;
    // While the hooks cannot be installed again, the next attempt waits this long.
    static constexpr std::uint32_t kRetryMs = 1000;

    enum class Action { None, Reinstall };

    // The low-level hooks are in place from now on.
    void Installed(std::uint32_t now);
    // One of them was called.
    void HookCalled(std::uint32_t now) { lastHookCall_ = now; }
    // Each housekeeping tick: the tick of the last input the system saw, and whether every kind
    // of input has a hook that should see it (keyboard and mouse hooks both needed).
    Action Check(std::uint32_t lastInput, std::uint32_t now, bool watched);
    // The outcome of a reinstall; true when the user is to be told: the first failure since the
    // hooks last worked.
    bool ReinstallEnded(bool installed, std::uint32_t now);

private:
    std::uint32_t lastHookCall_ = 0;
    std::uint32_t lastAttempt_ = 0;
    bool failing_ = false;
    bool reported_ = false;
};

} // namespace tw::keybdll
