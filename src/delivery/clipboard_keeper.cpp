#include "delivery/clipboard_keeper.h"

namespace tw {

bool UserClipboardKeeper::PutReplyForPaste(const ReplyContent& reply) {
    // While an earlier restore is pending the clipboard holds our reply, so the saved copy is
    // still the user's content; unless someone wrote since, whose content is the one to keep.
    const bool savedIsCurrent = phase_ != Phase::Idle && clipboard_.SequenceNumber() == ours_;
    timer_.StopRestoreTimer();
    phase_ = Phase::Idle;
    if (!savedIsCurrent && !clipboard_.SaveUserContent()) {
        clipboard_.DiscardUserContent();
        return false;
    }
    if (!clipboard_.OfferReply(reply)) {
        if (savedIsCurrent) {
            // The clipboard still holds the earlier reply: its restore goes on.
            phase_ = Phase::Retrying;
            timer_.StartRestoreTimer(kRetryMs);
        } else {
            clipboard_.DiscardUserContent();
        }
        return false;
    }
    ours_ = clipboard_.SequenceNumber();
    phase_ = Phase::Delivering;
    taken_ = false;
    retries_ = 0;
    return true;
}

void UserClipboardKeeper::DeliveryEnded() {
    if (phase_ != Phase::Delivering) {
        return;
    }
    phase_ = taken_ ? Phase::Settling : Phase::AwaitingRequest;
    timer_.StartRestoreTimer(taken_ ? kSettleMs : kMaxWaitMs);
}

void UserClipboardKeeper::ReplyRendered() {
    if (phase_ == Phase::Idle) {
        return;
    }
    // Rendering is a write of our own.
    ours_ = clipboard_.SequenceNumber();
    taken_ = true;
    if (phase_ != Phase::Delivering) {
        phase_ = Phase::Settling;
        retries_ = 0;
        timer_.StartRestoreTimer(kSettleMs);
    }
}

void UserClipboardKeeper::RestoreTimerTimer() {
    timer_.StopRestoreTimer();
    if (phase_ == Phase::AwaitingRequest || phase_ == Phase::Settling ||
        phase_ == Phase::Retrying) {
        TryRestore(true);
    }
}

void UserClipboardKeeper::RestoreBeforeExit() {
    timer_.StopRestoreTimer();
    if (phase_ != Phase::Idle) {
        TryRestore(false);
    }
}

void UserClipboardKeeper::TryRestore(bool mayRetry) {
    if (clipboard_.SequenceNumber() != ours_) {
        Finish();
        return;
    }
    if (clipboard_.RestoreUserContent(ours_) == ClipboardPort::RestoreResult::Busy && mayRetry &&
        ++retries_ <= kMaxRetries) {
        phase_ = Phase::Retrying;
        timer_.StartRestoreTimer(kRetryMs);
        return;
    }
    Finish();
}

void UserClipboardKeeper::Finish() {
    clipboard_.DiscardUserContent();
    phase_ = Phase::Idle;
    retries_ = 0;
}

} // namespace tw
