#include "delivery/win32/clipboard_window.h"

#include "delivery/win32/global_memory.h"
#include "platform/win32/gdi_scopes.h"
#include "platform/win32/message_window.h"

#include <string>

namespace tw::win32 {
namespace {

const wchar_t kClassName[] = L"TextwrightClipboardKeeper";
constexpr UINT_PTR kRestoreTimerId = 1;
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPauseMs = 5;

UINT RichTextFormat() {
    static const UINT format = RegisterClipboardFormatW(L"Rich Text Format");
    return format;
}

UINT HtmlFormat() {
    static const UINT format = RegisterClipboardFormatW(L"HTML Format");
    return format;
}

// The richest first: a target takes the first format it knows, and word processors keep
// receiving rich text.
std::vector<UINT> ReplyFormats() {
    return {RichTextFormat(), HtmlFormat(), CF_UNICODETEXT, CF_TEXT};
}

// The registered formats by which clipboard history, cloud clipboard and clipboard managers
// recognise content they are to skip.
void MarkAsTransient() {
    const DWORD no = 0;
    for (const wchar_t* name : {L"ExcludeClipboardContentFromMonitorProcessing",
                                L"CanIncludeInClipboardHistory", L"CanUploadToCloudClipboard"}) {
        if (HGLOBAL block = GlobalFromBytes(&no, sizeof no)) {
            if (!SetClipboardData(RegisterClipboardFormatW(name), block)) {
                GlobalFree(block);
            }
        }
    }
}

} // namespace

ClipboardWindow::ClipboardWindow()
    : hwnd_(win32::CreateMessageWindow(kClassName, &ClipboardWindow::WindowProc, this)) {}

ClipboardWindow::~ClipboardWindow() {
    if (hwnd_) {
        KillTimer(hwnd_, kRestoreTimerId);
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK ClipboardWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<ClipboardWindow*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ClipboardWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT ClipboardWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_RENDERFORMAT:
        // The asking program holds the clipboard open: the data goes in without opening it.
        if (HANDLE data = RenderReply(static_cast<UINT>(wParam))) {
            if (!SetClipboardData(static_cast<UINT>(wParam), data)) {
                GlobalFree(data);
            }
        }
        if (events_.replyRendered) {
            events_.replyRendered();
        }
        return 0;
    case WM_RENDERALLFORMATS:
        RenderAll();
        return 0;
    case WM_TIMER:
        if (wParam == kRestoreTimerId) {
            KillTimer(hwnd_, kRestoreTimerId);
            if (events_.restoreTimer) {
                events_.restoreTimer();
            }
            return 0;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void ClipboardWindow::RenderAll() {
    OpenedClipboard clipboard(hwnd_);
    if (!clipboard.Opened() || GetClipboardOwner() != hwnd_) {
        return;
    }
    for (UINT format : offered_) {
        if (HANDLE data = RenderReply(format); data && !SetClipboardData(format, data)) {
            GlobalFree(data);
        }
    }
}

HANDLE ClipboardWindow::RenderReply(UINT format) const {
    if (format == RichTextFormat()) {
        return GlobalFromBytes(reply_.rtf.c_str(), reply_.rtf.size() + 1);
    }
    if (format == HtmlFormat()) {
        return GlobalFromBytes(reply_.html.c_str(), reply_.html.size() + 1);
    }
    const std::wstring text(reply_.text.begin(), reply_.text.end());
    if (format == CF_UNICODETEXT) {
        return GlobalFromBytes(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    if (format == CF_TEXT) {
        const int size =
            WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi.data(), size, nullptr, nullptr);
        return GlobalFromBytes(ansi.data(), ansi.size());
    }
    return nullptr;
}

std::uint32_t ClipboardWindow::SequenceNumber() {
    return GetClipboardSequenceNumber();
}

bool ClipboardWindow::SaveUserContent() {
    if (!hwnd_) {
        return false;
    }
    OpenedClipboard clipboard(hwnd_, kOpenAttempts, kOpenPauseMs);
    return clipboard.Opened() && snapshot_.TakeFromOpenClipboard();
}

ClipboardPort::RestoreResult ClipboardWindow::RestoreUserContent(std::uint32_t expected) {
    if (!hwnd_) {
        return RestoreResult::Busy;
    }
    OpenedClipboard clipboard(hwnd_);
    if (!clipboard.Opened()) {
        return RestoreResult::Busy;
    }
    // Checked while the clipboard is open, so no write can slip in between.
    if (GetClipboardSequenceNumber() != expected) {
        return RestoreResult::Superseded;
    }
    snapshot_.PlaceOnOpenClipboard();
    offered_.clear();
    reply_ = {};
    return RestoreResult::Restored;
}

bool ClipboardWindow::OfferReply(const ReplyContent& reply) {
    if (!hwnd_) {
        return false;
    }
    OpenedClipboard clipboard(hwnd_, kOpenAttempts, kOpenPauseMs);
    if (!clipboard.Opened()) {
        return false;
    }
    EmptyClipboard();
    reply_ = reply;
    offered_ = ReplyFormats();
    for (UINT format : offered_) {
        SetClipboardData(format, nullptr);
    }
    MarkAsTransient();
    return true;
}

bool ClipboardWindow::PlaceReply(const ReplyContent& reply) {
    if (!hwnd_) {
        return false;
    }
    OpenedClipboard clipboard(hwnd_, kOpenAttempts, kOpenPauseMs);
    if (!clipboard.Opened()) {
        return false;
    }
    EmptyClipboard();
    reply_ = reply;
    offered_.clear();
    for (UINT format : ReplyFormats()) {
        if (HANDLE data = RenderReply(format); data && !SetClipboardData(format, data)) {
            GlobalFree(data);
        }
    }
    reply_ = {};
    return true;
}

void ClipboardWindow::StartRestoreTimer(int milliseconds) {
    SetTimer(hwnd_, kRestoreTimerId, static_cast<UINT>(milliseconds > 0 ? milliseconds : 0),
             nullptr);
}

void ClipboardWindow::StopRestoreTimer() {
    KillTimer(hwnd_, kRestoreTimerId);
}

} // namespace tw::win32
