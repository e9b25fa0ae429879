// Showing the insertions dialog: placement, foreground, the modal loop and its keys.
#include "expansion/win32/macro_inserts_window.h"

#include "platform/win32/foreground_window.h"

namespace tw::win32 {

void MacroInsertsWindow::BringMainWindowToFront() {
    if (mainWindow_ != nullptr) {
        SetForegroundWindowAttached(GetForegroundWindow(), mainWindow_);
    }
}

void MacroInsertsWindow::Wait(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

// On the screen, in its pixels: the dialog is placed against real controls.
DialogSize MacroInsertsWindow::DialogOuterSize() {
    RECT r;
    GetWindowRect(formHwnd_, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void MacroInsertsWindow::MoveDialog(ScreenPoint topLeft) {
    SetWindowPos(formHwnd_, nullptr, topLeft.x, topLeft.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MacroInsertsWindow::ShowSteps() {
    form_.FormShow();
    SetForegroundWindowAttached(GetForegroundWindow(), formHwnd_);
    SetWindowPos(formHwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RECT r;
    GetWindowRect(formHwnd_, &r);
    const ScreenPoint pointer =
        TFormMacroInserts::PointerTarget({r.left, r.top}, {r.right - r.left, r.bottom - r.top});
    SetCursorPos(pointer.x, pointer.y);
    const std::vector<HWND> boxes = ValueBoxes();
    lastFocus_ = boxes.empty() ? buttonOk_ : boxes.front();
    SetFocus(lastFocus_);
    if (!boxes.empty()) {
        SendMessageW(boxes.front(), EM_SETSEL, 0, -1);
    }
}

// The dialog sees Enter and Escape before any of its controls.
bool MacroInsertsWindow::PreviewKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE)) {
        return false;
    }
    if (msg.hwnd != formHwnd_ && !IsChild(formHwnd_, msg.hwnd)) {
        return false;
    }
    const KeyPressDecision decision = form_.FormKeyPress(msg.wParam == VK_RETURN ? '\r' : '\x1b');
    if (decision.close != DialogClose::None) {
        result_ = decision.close;
    }
    return decision.consumed;
}

bool MacroInsertsWindow::RunModal() {
    HWND owner = mainWindow_ != nullptr && IsWindowEnabled(mainWindow_) ? mainWindow_ : nullptr;
    if (owner != nullptr) {
        EnableWindow(owner, FALSE);
    }
    result_ = DialogClose::None;
    ShowWindow(formHwnd_, SW_SHOW);
    ShowSteps();
    MSG msg;
    while (result_ == DialogClose::None) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam)); // leave the quit to the main loop
            }
            result_ = DialogClose::Cancel;
            break;
        }
        if (PreviewKey(msg) || IsDialogMessageW(formHwnd_, &msg)) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
    }
    ShowWindow(formHwnd_, SW_HIDE);
    if (owner != nullptr) {
        SetActiveWindow(owner);
    }
    return result_ == DialogClose::Ok;
}

} // namespace tw::win32
