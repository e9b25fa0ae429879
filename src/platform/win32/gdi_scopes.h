#pragma once
// Calls that come in pairs, paired by scope: a device context borrowed from a window or a paint,
// an object selected into a device context, and the clipboard while it is open.
#include <windows.h>

#include <utility>

namespace tw::win32 {

// GetDC and ReleaseDC; the screen's with a null window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint, for WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const { return dc_; }
    const RECT& Dirty() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// SelectObject, and the previous object selected back; a null object selects nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// OpenClipboard and CloseClipboard; test Opened(), another program may hold it.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    // Tries again after a pause while another program holds it.
    OpenedClipboard(HWND owner, int attempts, DWORD pauseMs) : open_(false) {
        for (int attempt = 0; attempt < attempts && !open_; ++attempt) {
            if (attempt > 0) {
                Sleep(pauseMs);
            }
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    ~OpenedClipboard() { Close(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool Opened() const { return open_; }
    // Early, where what follows must run with the clipboard closed.
    void Close() {
        if (std::exchange(open_, false)) {
            CloseClipboard();
        }
    }

private:
    bool open_;
};

} // namespace tw::win32
