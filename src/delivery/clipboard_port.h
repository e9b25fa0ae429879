#pragma once
// What keeping the user's clipboard needs of the system: a snapshot of what the clipboard holds,
// the reply offered for delayed rendering, the clipboard's sequence number and a one-shot timer.
// The Win32 adapter renders the reply itself when a target asks for it and reports each answer.
#include "delivery/reply_content.h"

#include <cstdint>

namespace tw {

class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;

    // Moves whenever anyone writes to the clipboard.
    virtual std::uint32_t SequenceNumber() = 0;

    // Copies every format the clipboard holds that can be copied, replacing an earlier copy;
    // false when the clipboard could not be read (another program holds it open) or holds more
    // than a snapshot may take (SnapshotBudget), and nothing is saved then.
    virtual bool SaveUserContent() = 0;

    enum class RestoreResult { Restored, Busy, Superseded };
    // Puts the saved content back exactly, unless the sequence number is no longer `expected`
    // once the clipboard is open (Superseded: nothing is written). Busy: the clipboard could not
    // be opened. The saved content stays until it is discarded.
    virtual RestoreResult RestoreUserContent(std::uint32_t expected) = 0;
    virtual void DiscardUserContent() = 0;

    // Replaces the clipboard's content by the reply, announced for delayed rendering and marked
    // so that clipboard history and clipboard managers skip it. False when the clipboard could
    // not be opened; it is unchanged then.
    virtual bool OfferReply(const ReplyContent& reply) = 0;
    // Replaces the clipboard's content by the reply, every format rendered at once: the copy
    // stays the user's. False when the clipboard could not be opened.
    virtual bool PlaceReply(const ReplyContent& reply) = 0;
};

// One timer for the restore; starting it again replaces the pending time.
class RestoreTimerPort {
public:
    virtual ~RestoreTimerPort() = default;
    virtual void StartRestoreTimer(int milliseconds) = 0;
    virtual void StopRestoreTimer() = 0;
};

} // namespace tw
