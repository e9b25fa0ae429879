#pragma once
// The main window's two modes and the sizes each one remembers. Full mode shows the tree, the
// lists and the editor; compact mode only the tree. The window measures and moves; this class
// decides every size, in device pixels at the window's dpi.
#include "platform/raw_registry.h"
#include "ui/layout_records.h"
#include "ui/main_commands.h"
#include "ui/main_layout.h"

#include <string>

namespace tw {

class WindowModesView {
public:
    virtual ~WindowModesView() = default;
    virtual int Dpi() = 0;
    virtual Size WindowSize() = 0; // outer
    virtual Size ClientSize() = 0;
    virtual Size NavigationSize() = 0;
    // The smallest size the user may give the window.
    virtual void SetMinimumSize(Size minimum) = 0;
    virtual void SetWindowSize(Size outer) = 0;
    virtual void SetModeCaption(const std::string& caption) = 0;
    // Shows or hides every pane but the tree, then lays the panes out afresh.
    virtual void ShowFullModePanes(bool full) = 0;
    // The pane sizes changed: the panes move.
    virtual void LayoutPanes() = 0;
    virtual void RefreshFormattingToolbar() = 0;
};

inline constexpr const char* kCompactModeCaption = "Compact Mode";
inline constexpr const char* kFullModeCaption = "Full Mode";
inline constexpr const char* kChangeModeCaption = RowOf(MainCommand::ChangeMode).caption;

// Rounds to the nearest integer, an exact half to the even neighbour.
int RoundHalfEven(double value);

class WindowModes {
public:
    WindowModes(RawRegistry& registry, WindowModesView& view);

    // At window creation: the layout's pane sizes for the window's dpi and MacroListRatio from
    // them.
    void PrepareLayout();
    void LoadModeAndLayout();
    void SaveLayout();
    void ToggleMode();
    void ApplyModeVisibility();
    void FormResize() { view_.RefreshFormattingToolbar(); }

    // One step of a live drag: the size the user drags the splitter's pane to. The pane gets
    // it within the splitter's minimum sizes on both sides; it never snaps closed.
    void SplitterVert1Drag(int listsWidth);
    void SplitterVert2Drag(int macrosWidth);
    void SplitterHorzDrag(int bottomHeight);
    void SplitterVert1CanResize();
    void SplitterVert1Moved();
    void SplitterHorzMoved();

    // The window moved to a monitor of another dpi: every size keeps its physical size.
    void DpiChanged(int newDpi);

    bool FullMode() const { return fullMode_; }
    double MacroListRatio() const { return macroListRatio_; }
    const MainLayoutSizes& Panes() const { return panes_; }
    Size Minimum() const { return minimum_; }

private:
    int Scaled(int pixels96) const;
    int ListsWidthWithin(int wanted);
    int MacrosWidthWithin(int wanted) const;
    int BottomHeightWithin(int wanted);
    void SetMinimum(Size minimum);
    void LoadFullLayout();
    void LoadCompactLayout();

    RawRegistry& registry_;
    WindowModesView& view_;
    bool fullMode_ = true;
    double macroListRatio_ = 0;
    int dpi_ = 96;
    MainLayoutSizes panes_;
    Size minimum_;
};

} // namespace tw
