// The two window modes and the sizes they remember, driven through a window that measures
// like a real one: a fixed frame around the client area and the minimum size enforced.
#include "app/dpi_scale.h"
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "fakes/fake_registry.h"
#include "ui/fake_modes_window.h"
#include "ui/window_modes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tw {
namespace {

using fakes::FakeRegistry;
using testing::FakeModesWindow;
using testing::kFrame;

struct Program {
    explicit Program(FakeRegistry& registry, int dpi = 96) : window(dpi), modes(registry, window) {
        window.panes = [this] { return modes.Panes(); };
        EnsureDefaultSettings(registry);
        modes.PrepareLayout();
        modes.LoadModeAndLayout();
    }
    FakeModesWindow window;
    WindowModes modes;
};

std::vector<int> Numbers(FakeRegistry& registry, const char* name) {
    std::vector<int> n;
    if (const auto v = registry.Read(kSettingsKey, name)) {
        for (std::size_t i = 0; i + 1 < v->data.size(); i += 2) {
            n.push_back(static_cast<std::int16_t>(v->data[i] | (v->data[i + 1] << 8)));
        }
    }
    return n;
}

TEST(WindowModes, SwitchingAndRestartingRestoresEachModesSizes) {
    FakeRegistry registry;
    auto app = std::make_unique<Program>(registry);
    // First start: full mode at the layout size, nothing stored yet.
    EXPECT_TRUE(app->modes.FullMode());
    EXPECT_EQ(kCompactModeCaption, app->window.caption);
    EXPECT_EQ((Size{740, 497}), app->window.outer);
    EXPECT_EQ((Size{740, 450}), app->window.minimum);
    EXPECT_TRUE(Numbers(registry, kMainFormSettingsValue).empty());

    // First switch to compact: as large as the tree was.
    app->modes.ToggleMode();
    EXPECT_FALSE(app->modes.FullMode());
    EXPECT_FALSE(app->window.full);
    EXPECT_EQ(kFullModeCaption, app->window.caption);
    EXPECT_EQ((Size{421, 220}), app->window.outer);
    EXPECT_EQ((Size{140, 140}), app->window.minimum);
    EXPECT_EQ((std::vector<int>{450, 740, 740, 497, 220, 260, 119}),
              Numbers(registry, kMainFormSettingsValue));
    EXPECT_EQ(0, RegReadInteger(registry, kSettingsKey, kEditMode));

    // The compact window is resized, then back to full: everything as it was left.
    app->window.SetWindowSize({300, 500});
    app->modes.ToggleMode();
    EXPECT_EQ(kCompactModeCaption, app->window.caption);
    EXPECT_EQ((std::vector<int>{300, 500}), Numbers(registry, kNavMainFormSettingsValue));
    EXPECT_EQ((Size{740, 497}), app->window.outer);
    EXPECT_EQ((Size{740, 450}), app->window.minimum);
    EXPECT_EQ(215, app->modes.Panes().bottomHeight);
    EXPECT_EQ(260, app->modes.Panes().chooseByWidth);
    EXPECT_EQ(119, app->modes.Panes().macrosListWidth);

    // Exit in compact mode; the next start opens compact at the stored size.
    app->modes.ToggleMode();
    app->modes.SaveLayout();
    app = std::make_unique<Program>(registry);
    EXPECT_FALSE(app->modes.FullMode());
    EXPECT_EQ((Size{300, 500}), app->window.outer);
    EXPECT_EQ((Size{140, 140}), app->window.minimum);
}

TEST(WindowModes, SplittersKeepTheirMinimumSizesAndTheWindowsMinimum) {
    struct Case {
        const char* name;
        void (WindowModes::*drag)(int);
        int wanted;
        MainLayoutSizes panes; // only the three movable sizes are compared
        Size minimum;
    };
    const Case cases[] = {
        // Client 724 x 438: the tree keeps 170 beside the buttons (40) and the splitter (3).
        {"lists to 700", &WindowModes::SplitterVert1Drag, 700, {40, 511, 234, 215}, {740, 450}},
        {"lists to 200", &WindowModes::SplitterVert1Drag, 200, {40, 200, 92, 215}, {740, 450}},
        {"lists never closed", &WindowModes::SplitterVert1Drag, 3, {40, 170, 78, 215}, {740, 450}},
        {"macros never closed", &WindowModes::SplitterVert2Drag, 0, {40, 260, 15, 215}, {740, 450}},
        {"hot keys never closed",
         &WindowModes::SplitterVert2Drag,
         999,
         {40, 260, 242, 215},
         {740, 450}},
        {"editor taller", &WindowModes::SplitterHorzDrag, 300, {40, 260, 119, 300}, {740, 476}},
        {"editor never closed", &WindowModes::SplitterHorzDrag, 0, {40, 260, 119, 114}, {740, 290}},
        {"tree never closed", &WindowModes::SplitterHorzDrag, 999, {40, 260, 119, 321}, {740, 497}},
    };
    for (const Case& c : cases) {
        FakeRegistry registry;
        Program app(registry);
        (app.modes.*c.drag)(c.wanted);
        const MainLayoutSizes& p = app.modes.Panes();
        EXPECT_EQ(c.panes.chooseByWidth, p.chooseByWidth) << c.name;
        EXPECT_EQ(c.panes.macrosListWidth, p.macrosListWidth) << c.name;
        EXPECT_EQ(c.panes.bottomHeight, p.bottomHeight) << c.name;
        EXPECT_EQ(c.minimum, app.window.minimum) << c.name;
    }
}

TEST(WindowModes, WideningTheListsPanelRaisesTheMinimumWidth) {
    FakeRegistry registry;
    Program app(registry);
    app.window.SetWindowSize({1000, 600});
    for (const auto& [lists, minimum] : {std::pair{700, 850}, {200, 740}, {591, 741}}) {
        app.modes.SplitterVert1Drag(lists);
        EXPECT_EQ(lists, app.modes.Panes().chooseByWidth);
        EXPECT_EQ(minimum, app.window.minimum.width) << lists;
    }
    // Step by step the macro list keeps its share of the lists panel.
    EXPECT_NEAR(119.0 / 260, app.modes.MacroListRatio(), 0.01);
}

TEST(WindowModes, ARecordOfTheWrongShapeIsRefusedWhole) {
    // Minimum 740 x 450, window 900 x 600, top area 200, lists 300, macros 119.
    const std::vector<std::uint8_t> full = {0xC2, 1,   0xE4, 2,    0x84, 3,   0x58,
                                            2,    200, 0,    0x2C, 1,    119, 0};
    const std::vector<std::uint8_t> compact = {0x2C, 1, 0xF4, 1}; // 300 x 500
    auto cut = [](std::vector<std::uint8_t> v, std::size_t n) {
        v.resize(n);
        return v;
    };
    auto with = [](std::vector<std::uint8_t> v, std::size_t at, std::uint8_t byte) {
        v[at] = byte;
        return v;
    };
    struct Case {
        const char* name;
        bool fullMode;
        RegValue value;
        Size window;
        int bottomHeight;
    };
    const Case cases[] = {
        {"full, 14 bytes", true, {RegType::Binary, full}, {900, 600}, 338},
        {"full, 13 bytes", true, {RegType::Binary, cut(full, 13)}, {740, 497}, 215},
        {"full, 15 bytes", true, {RegType::Binary, cut(full, 15)}, {740, 497}, 215},
        {"full, empty", true, {RegType::Binary, {}}, {740, 497}, 215},
        {"full, a string", true, {RegType::String, full}, {740, 497}, 215},
        {"full, a zero width", true, {RegType::Binary, with(full, 12, 0)}, {740, 497}, 215},
        {"full, a negative size", true, {RegType::Binary, with(full, 9, 0x80)}, {740, 497}, 215},
        {"compact, 4 bytes", false, {RegType::Binary, compact}, {300, 500}, 215},
        {"compact, 3 bytes", false, {RegType::Binary, cut(compact, 3)}, {421, 220}, 215},
        {"compact, 5 bytes", false, {RegType::Binary, cut(compact, 5)}, {421, 220}, 215},
        {"compact, an integer", false, {RegType::Integer, compact}, {421, 220}, 215},
    };
    for (const Case& c : cases) {
        FakeRegistry registry;
        EnsureDefaultSettings(registry);
        RegWriteInteger(registry, kSettingsKey, kEditMode, c.fullMode ? 1 : 0);
        registry.Write(kSettingsKey,
                       c.fullMode ? kMainFormSettingsValue : kNavMainFormSettingsValue, c.value);
        Program app(registry);
        EXPECT_EQ(c.window, app.window.outer) << c.name;
        EXPECT_EQ(c.bottomHeight, app.modes.Panes().bottomHeight) << c.name;
    }
}

TEST(WindowModes, ALayoutStoredAtOneDpiKeepsItsPhysicalSizeAtAnother) {
    struct Case {
        int savedAt, openedAt;
        Size window;
        int listsWidth;
        std::vector<int> stored;
    };
    const Case cases[] = {
        {96, 96, {900, 600}, 300, {514, 740, 900, 600, 200, 300, 137}},
        {96, 144, {1350, 900}, 450, {514, 740, 900, 600, 200, 300, 137}},
        {144, 96, {900, 600}, 300, {514, 740, 900, 600, 200, 300, 138}},
    };
    for (const Case& c : cases) {
        FakeRegistry registry;
        {
            Program app(registry, c.savedAt);
            app.window.SetWindowSize({ScaleForDpi(900, c.savedAt), ScaleForDpi(600, c.savedAt)});
            app.modes.SplitterHorzDrag(app.window.ClientSize().height -
                                       ScaleForDpi(200, c.savedAt) - app.modes.Panes().splitter);
            app.modes.SplitterVert1Drag(ScaleForDpi(300, c.savedAt));
            app.modes.SaveLayout();
        }
        EXPECT_EQ(c.stored, Numbers(registry, kMainFormSettingsValue)) << c.savedAt;
        Program app(registry, c.openedAt);
        EXPECT_EQ(c.window, app.window.outer) << c.savedAt << " -> " << c.openedAt;
        EXPECT_EQ(c.listsWidth, app.modes.Panes().chooseByWidth) << c.savedAt;
    }
}

TEST(WindowModes, RoundsHalvesToEven) {
    for (const auto& [value, rounded] :
         {std::pair{118.5, 118}, {119.5, 120}, {119.4999, 119}, {0.5, 0}, {1.5, 2}, {2.6, 3}}) {
        EXPECT_EQ(rounded, RoundHalfEven(value)) << value;
    }
}

} // namespace
} // namespace tw
