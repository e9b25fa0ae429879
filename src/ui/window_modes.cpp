#include "ui/window_modes.h"

#include "app/dpi_scale.h"
#include "settings/reg_proc.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// Layout sizes at 96 dpi.
constexpr int kLayoutMinWidth = 740, kLayoutMinHeight = 450;
constexpr int kCompactMinimum = 140;
constexpr int kSplitterVert1MinSize = 170;
constexpr int kSplitterVert2MinSize = 15;
constexpr int kSplitterHorzMinSize = 114;
// What the window keeps beside the lists panel at its narrowest.
constexpr int kBesideLists = 150;

// A pane's size within its splitter's minimum size on either side of `space`; the pane's own
// minimum wins when the space is too small for both.
int PaneWithin(int wanted, int least, int space) {
    return std::max(least, std::min(wanted, space - least));
}

// False when the pane already had that size.
bool Resize(int& pane, int size) {
    if (pane == size) {
        return false;
    }
    pane = size;
    return true;
}

} // namespace

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode is to even
}

WindowModes::WindowModes(RawRegistry& registry, WindowModesView& view)
    : registry_(registry), view_(view) {}

int WindowModes::Scaled(int pixels96) const {
    return ScaleForDpi(pixels96, dpi_);
}

void WindowModes::PrepareLayout() {
    dpi_ = view_.Dpi();
    panes_ = MainLayoutSizes{}.Scaled(dpi_);
    SetMinimum({Scaled(kLayoutMinWidth), Scaled(kLayoutMinHeight)});
    macroListRatio_ = static_cast<double>(panes_.macrosListWidth) / panes_.chooseByWidth;
}

void WindowModes::LoadModeAndLayout() {
    if (RegValueExists(registry_, kSettingsKey, kEditMode)) {
        fullMode_ = RegReadInteger(registry_, kSettingsKey, kEditMode) == 1;
    } else {
        RegWriteInteger(registry_, kSettingsKey, kEditMode, 1);
        fullMode_ = true;
    }
    if (fullMode_) {
        view_.SetModeCaption(kCompactModeCaption);
        LoadFullLayout();
    } else {
        view_.SetModeCaption(kFullModeCaption);
        LoadCompactLayout();
    }
    ApplyModeVisibility();
}

void WindowModes::LoadFullLayout() {
    const auto stored = ReadFullLayout(registry_);
    if (!stored) {
        // Only after a failed save: the layout's own minimum, never compact mode's.
        SetMinimum({Scaled(kLayoutMinWidth), Scaled(kLayoutMinHeight)});
        return;
    }
    const FullLayoutRecord r = FullLayoutAtDpi(*stored, dpi_);
    SetMinimum(r.minimum);
    view_.SetWindowSize(r.window);
    const Size client = view_.ClientSize();
    panes_.bottomHeight = BottomHeightWithin(client.height - r.topHeight - panes_.splitter);
    panes_.chooseByWidth = ListsWidthWithin(r.listsWidth);
    panes_.macrosListWidth = MacrosWidthWithin(r.macrosWidth);
}

void WindowModes::LoadCompactLayout() {
    SetMinimum({Scaled(kCompactMinimum), Scaled(kCompactMinimum)});
    const auto stored = ReadCompactLayout(registry_);
    view_.SetWindowSize(stored ? SizeAtDpi(*stored, dpi_) : view_.NavigationSize());
}

void WindowModes::ApplyModeVisibility() {
    view_.ShowFullModePanes(fullMode_);
}

void WindowModes::SaveLayout() {
    if (!fullMode_) {
        WriteCompactLayout(registry_, SizeAt96(view_.WindowSize(), dpi_));
        return;
    }
    const Size client = view_.ClientSize();
    const int top = std::max(0, client.height - panes_.bottomHeight - panes_.splitter);
    const FullLayoutRecord device{minimum_, view_.WindowSize(), top, panes_.chooseByWidth,
                                  panes_.macrosListWidth};
    WriteFullLayout(registry_, FullLayoutAt96(device, dpi_));
}

void WindowModes::ToggleMode() {
    SaveLayout();
    RegWriteInteger(registry_, kSettingsKey, kEditMode, fullMode_ ? 0 : 1);
    LoadModeAndLayout();
}

int WindowModes::ListsWidthWithin(int wanted) {
    const int space = view_.ClientSize().width - panes_.navButtonsWidth - panes_.splitter;
    return PaneWithin(wanted, Scaled(kSplitterVert1MinSize), space);
}

int WindowModes::MacrosWidthWithin(int wanted) const {
    return PaneWithin(wanted, Scaled(kSplitterVert2MinSize),
                      panes_.chooseByWidth - panes_.splitter);
}

int WindowModes::BottomHeightWithin(int wanted) {
    return PaneWithin(wanted, Scaled(kSplitterHorzMinSize),
                      view_.ClientSize().height - panes_.splitter);
}

void WindowModes::SplitterVert1Drag(int listsWidth) {
    SplitterVert1CanResize();
    if (Resize(panes_.chooseByWidth, ListsWidthWithin(listsWidth))) {
        SplitterVert1Moved();
        view_.LayoutPanes();
    }
}

void WindowModes::SplitterVert1CanResize() {
    if (panes_.chooseByWidth > 0) {
        macroListRatio_ = static_cast<double>(panes_.macrosListWidth) / panes_.chooseByWidth;
    }
}

void WindowModes::SplitterVert1Moved() {
    panes_.macrosListWidth = RoundHalfEven(panes_.chooseByWidth * macroListRatio_);
    const int width =
        std::max(panes_.chooseByWidth + Scaled(kBesideLists), Scaled(kLayoutMinWidth));
    SetMinimum({width, minimum_.height});
}

void WindowModes::SplitterVert2Drag(int macrosWidth) {
    if (Resize(panes_.macrosListWidth, MacrosWidthWithin(macrosWidth))) {
        view_.LayoutPanes();
    }
}

void WindowModes::SplitterHorzDrag(int bottomHeight) {
    if (Resize(panes_.bottomHeight, BottomHeightWithin(bottomHeight))) {
        SplitterHorzMoved();
        view_.LayoutPanes();
    }
}

void WindowModes::SplitterHorzMoved() {
    const int frame = view_.WindowSize().height - view_.ClientSize().height;
    const int height = panes_.bottomHeight + frame + Scaled(kSplitterHorzMinSize) + panes_.splitter;
    SetMinimum({minimum_.width, height});
}

void WindowModes::SetMinimum(Size minimum) {
    minimum_ = minimum;
    view_.SetMinimumSize(minimum);
}

void WindowModes::DpiChanged(int newDpi) {
    if (newDpi <= 0 || newDpi == dpi_) {
        return;
    }
    auto rescale = [&](int& pixels) {
        pixels = static_cast<int>(std::lround(static_cast<double>(pixels) * newDpi / dpi_));
    };
    for (int* p : {&panes_.chooseByWidth, &panes_.macrosListWidth, &panes_.bottomHeight,
                   &minimum_.width, &minimum_.height}) {
        rescale(*p);
    }
    const MainLayoutSizes fixed = MainLayoutSizes{}.Scaled(newDpi);
    panes_.navButtonsWidth = fixed.navButtonsWidth;
    panes_.bottomBarWidth = fixed.bottomBarWidth;
    panes_.splitter = fixed.splitter;
    dpi_ = newDpi;
    view_.SetMinimumSize(minimum_);
}

} // namespace tw
