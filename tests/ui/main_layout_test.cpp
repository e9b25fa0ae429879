#include "ui/main_layout.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

// Every pane lies inside the client area and has no negative size.
void ExpectInside(const MainLayout& l, int w, int h) {
    for (const Rect& r : {l.PanelTopRoot, l.PanelNavButs, l.Navigation, l.SplitterVert1,
                          l.PanelChooseBy, l.PanelMacrosList, l.SplitterVert2, l.PanelHotKeysList,
                          l.SplitterHorz, l.PanelBottomRoot, l.PanelBottomBar, l.PanelEditor,
                          l.LabelMacros, l.ListMacros, l.LabelHotKeys, l.ListHotKeys}) {
        EXPECT_GE(r.width, 0);
        EXPECT_GE(r.height, 0);
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.left + r.width, w);
        EXPECT_LE(r.top + r.height, h);
    }
}

TEST(MainLayout, FullModeDocksThePanesAroundTheTree) {
    const MainLayout l = ComputeMainLayout(724, 438, MainLayoutSizes{}, true);
    EXPECT_EQ((Rect{0, 223, 724, 215}), l.PanelBottomRoot);
    EXPECT_EQ((Rect{0, 220, 724, 3}), l.SplitterHorz);
    EXPECT_EQ((Rect{0, 0, 724, 220}), l.PanelTopRoot);
    EXPECT_EQ((Rect{0, 0, 40, 220}), l.PanelNavButs);
    EXPECT_EQ((Rect{464, 0, 260, 220}), l.PanelChooseBy);
    EXPECT_EQ((Rect{461, 0, 3, 220}), l.SplitterVert1);
    EXPECT_EQ((Rect{40, 0, 421, 220}), l.Navigation);
    EXPECT_EQ((Rect{464, 0, 119, 220}), l.PanelMacrosList);
    EXPECT_EQ((Rect{583, 0, 3, 220}), l.SplitterVert2);
    EXPECT_EQ((Rect{586, 0, 138, 220}), l.PanelHotKeysList);
    EXPECT_EQ((Rect{464, 0, 119, 16}), l.LabelMacros);
    EXPECT_EQ((Rect{464, 16, 119, 204}), l.ListMacros);
    EXPECT_EQ((Rect{586, 0, 138, 16}), l.LabelHotKeys);
    EXPECT_EQ((Rect{586, 16, 138, 204}), l.ListHotKeys);
    EXPECT_EQ((Rect{0, 223, 40, 215}), l.PanelBottomBar);
    EXPECT_EQ((Rect{40, 223, 684, 215}), l.PanelEditor);
    ExpectInside(l, 724, 438);
}

TEST(MainLayout, CompactModeGivesTheTreeEverything) {
    const MainLayout l = ComputeMainLayout(300, 200, MainLayoutSizes{}, false);
    EXPECT_EQ((Rect{0, 0, 300, 200}), l.Navigation);
    EXPECT_EQ(0, l.PanelChooseBy.width);
    EXPECT_EQ(0, l.PanelBottomRoot.height);
}

TEST(MainLayout, ATinyClientNeverGivesNegativeSizes) {
    for (const auto& [w, h] : {std::pair{0, 0}, {50, 100}, {290, 210}, {-5, -5}, {305, 218}}) {
        ExpectInside(ComputeMainLayout(w, h, MainLayoutSizes{}, true), std::max(w, 0),
                     std::max(h, 0));
    }
}

TEST(MainLayout, SizesScaleWithTheMonitor) {
    const MainLayoutSizes s = MainLayoutSizes{}.Scaled(144);
    EXPECT_EQ(60, s.navButtonsWidth);
    EXPECT_EQ(390, s.chooseByWidth);
    EXPECT_EQ(179, s.macrosListWidth); // 178.5 rounds up
    EXPECT_EQ(323, s.bottomHeight);    // 322.5 rounds up
    EXPECT_EQ(5, s.splitter);          // 4.5 rounds up
}

} // namespace
} // namespace tw
