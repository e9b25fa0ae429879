#pragma once
// The main window as its handlers see it: shown or hidden, restored, topmost, the busy cursor,
// and the views that stop repainting around a bulk load.
#include "ui/main_form_ports.h"
#include "ui/win32/list_box_mirror.h"
#include "ui/win32/tree_view_mirror.h"

#include <windows.h>

namespace tw::win32 {

class MainWindowFrame : public MainWindowView {
public:
    // `window` is the main window's handle, null until the window exists.
    explicit MainWindowFrame(const HWND& window) : window_(window) {}
    explicit MainWindowFrame(HWND&&) = delete; // followed by reference

    // The mirrors exist once the window's controls do.
    void AttachMirrors(TreeViewMirror* tree, ListBoxMirror* macros, ListBoxMirror* hotKeys);
    bool Busy() const { return busy_; }

    void ShowMainWindow() override { ShowWindow(window_, SW_SHOW); }
    void HideMainWindow() override { ShowWindow(window_, SW_HIDE); }
    bool IsMainWindowVisible() override { return IsWindowVisible(window_) != FALSE; }
    void RestoreApplication() override;
    void MakeMainWindowTopmost() override;
    void SetBusyCursor(bool busy) override;
    void BeginBulkLoad() override;
    void EndBulkLoad() override;

private:
    const HWND& window_;
    bool busy_ = false;
    TreeViewMirror* tree_ = nullptr;
    ListBoxMirror* macros_ = nullptr;
    ListBoxMirror* hotKeys_ = nullptr;
};

} // namespace tw::win32
