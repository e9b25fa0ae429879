#include "ui/win32/main_window_frame.h"

namespace tw::win32 {

void MainWindowFrame::AttachMirrors(TreeViewMirror* tree, ListBoxMirror* macros,
                                    ListBoxMirror* hotKeys) {
    tree_ = tree;
    macros_ = macros;
    hotKeys_ = hotKeys;
}

void MainWindowFrame::RestoreApplication() {
    if (IsIconic(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
    SetForegroundWindow(window_);
}

void MainWindowFrame::MakeMainWindowTopmost() {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindowFrame::SetBusyCursor(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void MainWindowFrame::BeginBulkLoad() {
    if (tree_) {
        tree_->SuspendRedraw();
        macros_->SuspendRedraw();
        hotKeys_->SuspendRedraw();
    }
}

void MainWindowFrame::EndBulkLoad() {
    if (tree_) {
        hotKeys_->ResumeRedraw();
        macros_->ResumeRedraw();
        tree_->ResumeRedraw();
    }
}

} // namespace tw::win32
