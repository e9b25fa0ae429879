#pragma once
// A main window for the modes that measures like a real one: a fixed frame around the client
// area, the tree laid out by the real layout, and the minimum size enforced on every resize.
#include "ui/main_layout.h"
#include "ui/window_modes.h"

#include <algorithm>
#include <functional>
#include <string>

namespace tw::testing {

constexpr Size kFrame{16, 59}; // borders, caption and menu bar

class FakeModesWindow : public WindowModesView {
public:
    explicit FakeModesWindow(int dpi = 96) : dpi(dpi) {}
    int Dpi() override { return dpi; }
    Size WindowSize() override { return outer; }
    Size ClientSize() override {
        return {outer.width - kFrame.width, outer.height - kFrame.height};
    }
    Size NavigationSize() override {
        const MainLayout l =
            ComputeMainLayout(ClientSize().width, ClientSize().height, panes(), full);
        return {l.Navigation.width, l.Navigation.height};
    }
    void SetMinimumSize(Size m) override { minimum = m; }
    void SetWindowSize(Size s) override {
        outer = {std::max(s.width, minimum.width), std::max(s.height, minimum.height)};
    }
    void SetModeCaption(const std::string& c) override { caption = c; }
    void ShowFullModePanes(bool f) override { full = f; }
    void LayoutPanes() override { ++layouts; }
    void RefreshFormattingToolbar() override {}

    int dpi;
    // The pane sizes the modes decided.
    std::function<MainLayoutSizes()> panes;
    Size outer{740, 497};
    Size minimum{740, 450};
    std::string caption = kChangeModeCaption;
    bool full = true;
    int layouts = 0;
};

} // namespace tw::testing
