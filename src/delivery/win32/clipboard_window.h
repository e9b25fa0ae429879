#pragma once
// The clipboard side of delivery, over a hidden window of its own: it places a reply, or owns
// the clipboard while a reply is offered and renders it when a target asks for it, and runs
// the keeping of the user's clipboard with its restore timer.
#include "delivery/clipboard_port.h"
#include "delivery/win32/clipboard_snapshot.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace tw::win32 {

class ClipboardWindow : public ClipboardPort, public RestoreTimerPort {
public:
    struct Events {
        std::function<void()> replyRendered; // a target has been given the reply's data
        std::function<void()> restoreTimer;  // the restore timer fired
    };

    ClipboardWindow();
    // A reply still offered is rendered in full first, so no target is left without data.
    ~ClipboardWindow() override;
    ClipboardWindow(const ClipboardWindow&) = delete;
    ClipboardWindow& operator=(const ClipboardWindow&) = delete;

    void SetEvents(Events events) { events_ = std::move(events); }
    HWND Handle() const { return hwnd_; }
    std::size_t SavedFormatCount() const { return snapshot_.FormatCount(); }

    std::uint32_t SequenceNumber() override;
    bool SaveUserContent() override;
    RestoreResult RestoreUserContent(std::uint32_t expected) override;
    void DiscardUserContent() override { snapshot_.Clear(); }
    bool OfferReply(const ReplyContent& reply) override;
    bool PlaceReply(const ReplyContent& reply) override;

    void StartRestoreTimer(int milliseconds) override;
    void StopRestoreTimer() override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Another program may hold the clipboard for a moment (managers read each change).
    HANDLE RenderReply(UINT format) const;
    void RenderAll();

    HWND hwnd_ = nullptr;
    ClipboardSnapshot snapshot_;
    ReplyContent reply_;
    std::vector<UINT> offered_;
    Events events_;
};

} // namespace tw::win32
