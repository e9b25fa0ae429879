// The options, tip and about dialogs as real windows: captions, layout at the monitor's dpi, tab
// order, and what their buttons do. A timer of the test thread plays the user while the dialog's
// own modal loop runs.
#include "app/picker_hot_key.h"
#include "platform/dpi_scale.h"
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "app/win32/options_dialog_view.h"
#include "app/win32/tip_dialog_view.h"
#include "delivery/profile_settings.h"
#include "delivery/win32/profiles_page_view.h"
#include "fakes/fake_registry.h"
#include "fakes/recording_message_boxes.h"
#include "ui/win32/about_box.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::win32 {
namespace {

// Waits for the top-level window with the caption, then runs the script on it. A script that
// stops early (a failed assertion) leaves the dialog open: it is ended with IDABORT.
class User {
public:
    User(const wchar_t* caption, std::function<void(HWND)> script) {
        caption_ = caption;
        script_ = std::move(script);
        timer_ = SetTimer(nullptr, 0, 20, &User::Tick);
    }
    ~User() { KillTimer(nullptr, timer_); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND dialog = FindWindowW(nullptr, caption_.c_str());
        if (!dialog || !script_) {
            return;
        }
        auto script = std::move(script_);
        script_ = nullptr;
        completed_ = false;
        script(dialog);
        if (!completed_) {
            EndDialog(dialog, IDABORT);
        }
    }

public:
    static void Done() { completed_ = true; }

private:
    static inline std::wstring caption_;
    static inline std::function<void(HWND)> script_;
    static inline bool completed_ = false;
    UINT_PTR timer_ = 0;
};

void Click(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}
bool Checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
std::wstring Text(HWND w) {
    wchar_t buffer[512] = {};
    GetWindowTextW(w, buffer, 512);
    return buffer;
}

// Where a control sits in its dialog's client area, in pixels at 96 dpi.
RECT Place96(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    const int dpi = static_cast<int>(GetDpiForWindow(dialog));
    return {MulDiv(r.left, 96, dpi), MulDiv(r.top, 96, dpi), MulDiv(r.right, 96, dpi),
            MulDiv(r.bottom, 96, dpi)};
}

class TopmostCounter : public TopmostPort {
public:
    void MakeMainWindowTopmost() override { ++calls; }
    int calls = 0;
};

class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureDefaultSettings(registry);
        registry.CreateKey(kAutorunKey);
    }
    fakes::FakeRegistry registry;
    fakes::RecordingMessageBoxes boxes;
    TopmostCounter topmost;
    TFormOptions form{registry, boxes, topmost, "C:\\Program Files\\Textwright\\Textwright.exe"};
    OptionsDialogView view{form};
};

TEST_F(OptionsWindow, LaidOutAsDesignedInTabOrderAndOkWrites) {
    User user(L"Textwright - Options", [](HWND d) {
        RECT client{};
        GetClientRect(d, &client);
        const int dpi = static_cast<int>(GetDpiForWindow(d));
        EXPECT_EQ(ScaleForDpi(560, dpi), client.right);
        EXPECT_EQ(ScaleForDpi(330, dpi), client.bottom);
        // The General page's boxes sit below the tab headers, as before relative to each other.
        const RECT wrap = Place96(d, OptionsDialogView::CheckBoxShowMacroIns);
        EXPECT_EQ(48, wrap.left);
        EXPECT_EQ(120 + 24, wrap.top);
        EXPECT_EQ(48 + 281, wrap.right);
        const RECT restore = Place96(d, OptionsDialogView::CheckBoxRestoreClipboard);
        EXPECT_EQ(48, restore.left);
        EXPECT_EQ(152 + 24, restore.top);
        EXPECT_EQ(48 + 281, restore.right);
        EXPECT_EQ(L"Restore the clipboard after a reply is delivered",
                  Text(GetDlgItem(d, OptionsDialogView::CheckBoxRestoreClipboard)));
        const RECT ok = Place96(d, IDOK);
        EXPECT_EQ(560 - 2 * 83, ok.left);
        EXPECT_EQ(330 - 33, ok.top);
        const RECT hotKey = Place96(d, OptionsDialogView::HotKeyPicker);
        EXPECT_EQ(186 + 24, hotKey.top) << "below the last box";
        EXPECT_EQ(L"Ok", Text(GetDlgItem(d, IDOK)));
        EXPECT_EQ(L"Cancel", Text(GetDlgItem(d, IDCANCEL)));

        const int tabOrder[] = {OptionsDialogView::CheckBoxTipOfDay,
                                IDOK,
                                IDCANCEL,
                                OptionsDialogView::CheckBoxAutoRun,
                                OptionsDialogView::CheckBoxShowMacroIns,
                                OptionsDialogView::CheckBoxAlwaysOnTop,
                                OptionsDialogView::CheckBoxRestoreClipboard,
                                OptionsDialogView::HotKeyPicker,
                                OptionsDialogView::TabPages};
        HWND at = GetDlgItem(d, tabOrder[0]);
        for (int next : tabOrder) {
            EXPECT_EQ(next, GetDlgCtrlID(at));
            at = GetNextDlgTabItem(d, at, FALSE);
        }

        EXPECT_TRUE(Checked(d, OptionsDialogView::CheckBoxTipOfDay));
        EXPECT_FALSE(Checked(d, OptionsDialogView::CheckBoxAutoRun));
        EXPECT_TRUE(Checked(d, OptionsDialogView::CheckBoxShowMacroIns));
        EXPECT_FALSE(Checked(d, OptionsDialogView::CheckBoxAlwaysOnTop));
        EXPECT_FALSE(Checked(d, OptionsDialogView::CheckBoxRestoreClipboard));
        Click(d, OptionsDialogView::CheckBoxRestoreClipboard);
        Click(d, OptionsDialogView::CheckBoxAutoRun);
        Click(d, OptionsDialogView::CheckBoxShowMacroIns);
        Click(d, OptionsDialogView::CheckBoxAlwaysOnTop);
        HWND hotKeyBox = GetDlgItem(d, OptionsDialogView::HotKeyPicker);
        EXPECT_EQ(kDefaultPickerHotKey, LOWORD(SendMessageW(hotKeyBox, HKM_GETHOTKEY, 0, 0)));
        SendMessageW(hotKeyBox, HKM_SETHOTKEY, MAKEWORD('F', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
        Click(d, IDOK);
        User::Done();
    });
    EXPECT_EQ(IDOK, view.RunModal(nullptr));
    EXPECT_EQ(kHotKeyCtrl | kHotKeyShift | 'F', PickerHotKeySetting(registry))
        << "the control's value is the setting's";
    EXPECT_EQ("\"C:\\Program Files\\Textwright\\Textwright.exe\" -hidden",
              RegReadString(registry, kAutorunKey, kAutorunValue));
    EXPECT_EQ(0, RegReadInteger(registry, kSettingsKey, kShowMacroIns));
    EXPECT_EQ(1, RegReadInteger(registry, kSettingsKey, kAlwaysOnTop));
    EXPECT_EQ(1, RegReadInteger(registry, kSettingsKey, kShowTips));
    EXPECT_EQ(1, RegReadInteger(registry, kSettingsKey, kRestoreClipboard));
    EXPECT_EQ(1, topmost.calls);
}

TEST_F(OptionsWindow, CancelLeavesTheRegistryAndUncheckingOnTopWarns) {
    RegWriteInteger(registry, kSettingsKey, kAlwaysOnTop, 1);
    const int writes = registry.writes;
    User user(L"Textwright - Options", [](HWND d) {
        EXPECT_TRUE(Checked(d, OptionsDialogView::CheckBoxAlwaysOnTop));
        Click(d, OptionsDialogView::CheckBoxTipOfDay);
        Click(d, OptionsDialogView::CheckBoxAlwaysOnTop);
        Click(d, IDCANCEL);
        User::Done();
    });
    EXPECT_EQ(IDCANCEL, view.RunModal(nullptr));
    EXPECT_EQ(writes, registry.writes);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("warning", boxes.shown[0].kind);
    EXPECT_EQ(kAlwaysOnTopRestartWarning, boxes.shown[0].text);
}

class OptionsWithDeliveryPage : public OptionsWindow {
protected:
    void SetUp() override {
        OptionsWindow::SetUp();
        form.AddPage(profiles);
        view.AddPage(profilesView);
    }
    std::vector<std::vector<DeliveryProfile>> handed;
    ProfilesForm profiles{registry, boxes, [this](const auto& p) { handed.push_back(p); }};
    ProfilesPageView profilesView{profiles};
};

// Whether the control itself shows, whether or not the dialog is on screen yet.
bool Shown(HWND control) {
    return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring CellText(HWND list, int row, int column) {
    wchar_t buffer[128] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 128;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

TEST_F(OptionsWithDeliveryPage, TheDeliveryTabShowsTheProfilesAndOkSavesWhatWasRemoved) {
    const int defaults = static_cast<int>(DefaultProfiles().size());
    User user(L"Textwright - Options", [defaults](HWND d) {
        HWND tabs = GetDlgItem(d, OptionsDialogView::TabPages);
        HWND list = GetDlgItem(d, ProfilesPageView::ListProfiles);
        EXPECT_EQ(2, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
        EXPECT_FALSE(Shown(list));
        // What a click on the second tab does.
        SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
        NMHDR selected{tabs, OptionsDialogView::TabPages, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(d, WM_NOTIFY, OptionsDialogView::TabPages,
                     reinterpret_cast<LPARAM>(&selected));
        EXPECT_TRUE(Shown(list));
        EXPECT_TRUE(Shown(GetDlgItem(d, ProfilesPageView::ButtonReset)));
        EXPECT_FALSE(Shown(GetDlgItem(d, OptionsDialogView::CheckBoxTipOfDay)));
        EXPECT_TRUE(Shown(GetDlgItem(d, IDOK)));
        ASSERT_EQ(defaults, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(L"putty.exe", CellText(list, 0, 0));
        EXPECT_EQ(L"Shift+Insert", CellText(list, 0, 3));
        EXPECT_EQ(L"10 ms, pause 100 ms", CellText(list, defaults - 1, 4));
        Click(d, ProfilesPageView::ButtonRemove); // the first row, selected when shown
        EXPECT_EQ(defaults - 1, SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ(L"kitty.exe", CellText(list, 0, 0));
        Click(d, IDOK);
        User::Done();
    });
    EXPECT_EQ(IDOK, view.RunModal(nullptr));
    std::vector<DeliveryProfile> expected = DefaultProfiles();
    expected.erase(expected.begin());
    EXPECT_EQ(expected, LoadDeliveryProfiles(registry, kSettingsKey));
    ASSERT_EQ(1u, handed.size());
    EXPECT_EQ(expected, handed[0]);
}

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<int> v) : values(std::move(v)) {}
    int Below(int) override { return values.at(next++ % values.size()); }
    std::vector<int> values;
    std::size_t next = 0;
};

// The dialog follows its owner's handle by reference, as the main window's is set later.
HWND noOwner = nullptr;

TEST(TipWindow, ShowsARandomTipNextDrawsAgainAndTheBoxIsReturned) {
    ScriptedRandom random({2, 7});
    TipPicker picker(StandardTips(), random);
    TipDialogView view(noOwner, picker);
    User user(L"Tip of the Day", [](HWND d) {
        const std::wstring first = Text(GetDlgItem(d, TipDialogView::TipText));
        EXPECT_EQ(0u, first.find(L"If you just started Textwright")) << "tip 3 of the list";
        EXPECT_TRUE(Checked(d, TipDialogView::ShowAtStartup));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, TipDialogView::NextButton)));
        Click(d, TipDialogView::NextButton);
        EXPECT_EQ(0u, Text(GetDlgItem(d, TipDialogView::TipText)).find(L"You can Drag a reply"));
        Click(d, TipDialogView::ShowAtStartup);
        Click(d, IDOK);
        User::Done();
    });
    EXPECT_FALSE(view.ShowTipDialog(true)) << "unticked before closing";
}

TEST(TipWindow, OneTipDisablesNextAndNoTipsSaySo) {
    ScriptedRandom random({0});
    TipPicker none({}, random);
    TipDialogView view(noOwner, none);
    User user(L"Tip of the Day", [](HWND d) {
        EXPECT_EQ(L"Sorry, the list of tips is empty...",
                  Text(GetDlgItem(d, TipDialogView::TipText)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, TipDialogView::NextButton)));
        EXPECT_FALSE(Checked(d, TipDialogView::ShowAtStartup));
        Click(d, IDOK);
        User::Done();
    });
    EXPECT_FALSE(view.ShowTipDialog(false));
}

TEST(AboutWindow, NamesTheProductAndItsVersionAndOkCloses) {
    AboutBox about(nullptr);
    std::vector<std::wstring> texts;
    User user(L"Textwright - About", [&texts](HWND d) {
        for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            texts.push_back(Text(c));
        }
        Click(d, IDOK);
        User::Done();
    });
    about.ShowModal();
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), L"Textwright"));
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), L"Version 2.0.0"));
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), L"Ok"));
}

} // namespace
} // namespace tw::win32
