#pragma once
// Keeps the user's clipboard across a delivery: the content is saved before the reply goes on the
// clipboard and comes back once the target has taken the reply. "Taken" is the target's own
// request for the data (delayed rendering): the restore follows a short moment after the last
// request was answered, or a bounded wait when no request comes. Whoever writes to the
// clipboard after us wins: then nothing is restored.
#include "delivery/clipboard_port.h"

#include <cstdint>

namespace tw {

// What keeping the clipboard needs of the main window.
class ClipboardKeepingHost {
public:
    virtual ~ClipboardKeepingHost() = default;
    // The RestoreClipboard setting, read from the settings store at each call.
    virtual int RestoreClipboardSetting() = 0;
};

class UserClipboardKeeper;

// A delivery's way to keep the user's clipboard: the keeper and the main window's side of it.
struct ClipboardKeeping {
    UserClipboardKeeper& keeper;
    ClipboardKeepingHost& host;
};

class UserClipboardKeeper {
public:
    // After the target's last request: time for it to finish reading.
    static constexpr int kSettleMs = 150;
    // A target that never asks (it ignored the paste) gets this long.
    static constexpr int kMaxWaitMs = 2000;
    // While another program holds the clipboard open, the restore tries again this often.
    static constexpr int kRetryMs = 50;
    static constexpr int kMaxRetries = 20;

    UserClipboardKeeper(ClipboardPort& clipboard, RestoreTimerPort& timer)
        : clipboard_(clipboard), timer_(timer) {}

    // Saves the user's content (unless an earlier delivery's copy is still the right one) and
    // offers the reply. False when the clipboard could not be used this way; the caller then
    // copies the reply as usual.
    bool PutReplyForPaste(const ReplyContent& reply);
    // The delivery has sent its paste, or ended early: the wait for the target begins.
    void DeliveryEnded();
    // The adapter has answered a target's request for the reply's data.
    void ReplyRendered();
    void RestoreTimerTimer();
    // The program ends: a pending restore happens now or never.
    void RestoreBeforeExit();

    bool RestorePending() const { return phase_ != Phase::Idle; }

private:
    enum class Phase { Idle, Delivering, AwaitingRequest, Settling, Retrying };

    void TryRestore(bool mayRetry);
    void Finish();

    ClipboardPort& clipboard_;
    RestoreTimerPort& timer_;
    Phase phase_ = Phase::Idle;
    bool taken_ = false;
    int retries_ = 0;
    // The sequence number after our own last write; anything else is someone else's write.
    std::uint32_t ours_ = 0;
};

} // namespace tw
