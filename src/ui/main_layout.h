#pragma once
// Where the main window's panes go for a given client size. Sizes are in device pixels; the
// caller scales the 96-dpi layout sizes for the monitor first.
#include "app/dpi_scale.h"

namespace tw {

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

struct MainLayoutSizes {
    int navButtonsWidth = 40;
    int chooseByWidth = 260;
    int macrosListWidth = 119;
    int bottomHeight = 215;
    int bottomBarWidth = 40;
    int splitter = 3;
    int listLabelHeight = 16; // "List of Macros:" above its list, likewise the hot keys

    MainLayoutSizes Scaled(int dpi) const;
};

struct MainLayout {
    Rect PanelTopRoot, PanelNavButs, Navigation, SplitterVert1, PanelChooseBy, PanelMacrosList,
        SplitterVert2, PanelHotKeysList, SplitterHorz, PanelBottomRoot, PanelBottomBar, PanelEditor;
    // Inside the two list panels: the label on top, the list box below.
    Rect LabelMacros, ListMacros, LabelHotKeys, ListHotKeys;
};

// Full mode docks the panes around the tree; compact mode gives the tree the whole client area
// and leaves every other pane empty. A client too small for the fixed panes squeezes the tree
// and the hot-key list first, never giving a pane a negative size.
MainLayout ComputeMainLayout(int clientWidth, int clientHeight, const MainLayoutSizes& sizes,
                             bool fullMode);

} // namespace tw
