#include "ui/main_layout.h"

#include "app/dpi_scale.h"

#include <algorithm>
#include <tuple>

namespace tw {

MainLayoutSizes MainLayoutSizes::Scaled(int dpi) const {
    MainLayoutSizes s;
    s.navButtonsWidth = ScaleForDpi(navButtonsWidth, dpi);
    s.chooseByWidth = ScaleForDpi(chooseByWidth, dpi);
    s.macrosListWidth = ScaleForDpi(macrosListWidth, dpi);
    s.bottomHeight = ScaleForDpi(bottomHeight, dpi);
    s.bottomBarWidth = ScaleForDpi(bottomBarWidth, dpi);
    s.splitter = ScaleForDpi(splitter, dpi);
    s.listLabelHeight = ScaleForDpi(listLabelHeight, dpi);
    return s;
}

namespace {

// Takes up to `want` from the front of `space`, never more than is left.
int Take(int& space, int want) {
    const int got = std::clamp(want, 0, std::max(space, 0));
    space -= got;
    return got;
}

} // namespace

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, const MainLayoutSizes& sizes,
                             bool fullMode) {
    MainLayout l;
    const int w = std::max(clientWidth, 0);
    const int h = std::max(clientHeight, 0);
    if (!fullMode) {
        l.PanelTopRoot = {0, 0, w, h};
        l.Navigation = {0, 0, w, h};
        return l;
    }

    int vertical = h;
    const int bottom = Take(vertical, sizes.bottomHeight);
    const int splitH = Take(vertical, sizes.splitter);
    const int top = vertical;
    l.PanelTopRoot = {0, 0, w, top};
    l.SplitterHorz = {0, top, w, splitH};
    l.PanelBottomRoot = {0, top + splitH, w, bottom};

    int across = w;
    const int navButs = Take(across, sizes.navButtonsWidth);
    const int chooseBy = Take(across, sizes.chooseByWidth);
    const int split1 = Take(across, sizes.splitter);
    const int tree = across;
    l.PanelNavButs = {0, 0, navButs, top};
    l.Navigation = {navButs, 0, tree, top};
    l.SplitterVert1 = {navButs + tree, 0, split1, top};
    l.PanelChooseBy = {navButs + tree + split1, 0, chooseBy, top};

    int lists = chooseBy;
    const int macros = Take(lists, sizes.macrosListWidth);
    const int split2 = Take(lists, sizes.splitter);
    const int x0 = l.PanelChooseBy.left;
    l.PanelMacrosList = {x0, 0, macros, top};
    l.SplitterVert2 = {x0 + macros, 0, split2, top};
    l.PanelHotKeysList = {x0 + macros + split2, 0, lists, top};

    const int label = std::min(sizes.listLabelHeight, top);
    for (auto [panel, labelRect, list] :
         {std::tuple{l.PanelMacrosList, &l.LabelMacros, &l.ListMacros},
          std::tuple{l.PanelHotKeysList, &l.LabelHotKeys, &l.ListHotKeys}}) {
        *labelRect = {panel.left, 0, panel.width, label};
        *list = {panel.left, label, panel.width, top - label};
    }

    int below = w;
    const int bar = Take(below, sizes.bottomBarWidth);
    l.PanelBottomBar = {0, l.PanelBottomRoot.top, bar, bottom};
    l.PanelEditor = {bar, l.PanelBottomRoot.top, below, bottom};
    return l;
}

} // namespace tw
