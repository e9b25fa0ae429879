#pragma once
// The window side of the two modes: measures and moves the main window, remembers its minimum
// size for WM_GETMINMAXINFO, hides every pane but the tree in compact mode and names the mode
// switch in the menu bar.
#include "ui/window_modes.h"

#include <functional>
#include <vector>

#include <windows.h>

namespace tw::win32 {

struct ModesWindowParts {
    HWND window;
    HWND navigation;
    std::function<void()> layoutPanes;
    std::function<void()> refreshFormattingToolbar;
};

class Win32WindowModesView : public WindowModesView {
public:
    explicit Win32WindowModesView(ModesWindowParts parts) : p_(std::move(parts)) {}

    // For WM_GETMINMAXINFO.
    Size Minimum() const { return minimum_; }

    int Dpi() override;
    Size WindowSize() override;
    Size ClientSize() override;
    Size NavigationSize() override;
    void SetMinimumSize(Size minimum) override;
    void SetWindowSize(Size outer) override;
    void SetModeCaption(const std::string& caption) override;
    void ShowFullModePanes(bool full) override;
    void LayoutPanes() override;
    void RefreshFormattingToolbar() override;

private:
    ModesWindowParts p_;
    Size minimum_;
    // The panes compact mode hid, shown again in full mode.
    std::vector<HWND> hidden_;
};

} // namespace tw::win32
