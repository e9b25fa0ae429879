// The window layer's own rules on real windows: a control's notifications reach the object that
// made it and the parent gets only the rest, a subclass is gone with its owner, the scoped GDI
// and clipboard calls undo themselves, and DPI scaling rounds as the system does.
#include "platform/dpi_scale.h"
#include "platform/win32/gdi_scopes.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/window_base.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <vector>

namespace tw::win32 {
namespace {

// A parent that records what reaches its own handler.
class Parent : public WindowBase {
public:
    Parent() {
        WNDCLASSEXW wc{};
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TwWindowLayerTestParent";
        RegisterWindowClass(wc);
        CreateWindowFor(0, wc.lpszClassName, L"parent", WS_OVERLAPPEDWINDOW, RECT{0, 0, 300, 200},
                        nullptr, nullptr);
    }
    HWND MakeButton() {
        return CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50,
                               20, hwnd_, nullptr, nullptr, nullptr);
    }
    std::vector<HWND> fallback; // the sender of each WM_COMMAND/WM_NOTIFY that reached it

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_COMMAND || msg == WM_NOTIFY) {
            fallback.push_back(SenderOf(msg, wp, lp));
            return 7;
        }
        return DefaultMessage(msg, wp, lp);
    }
};

LRESULT Notify(HWND parent, HWND from, UINT code) {
    NMHDR header{from, 0, code};
    return SendMessageW(parent, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
}

TEST(Reflection, ANotificationReachesItsSendersHandlerAndOnlyTheRestReachTheParent) {
    Parent parent;
    ASSERT_NE(parent.Handle(), nullptr);
    HWND a = parent.MakeButton(), b = parent.MakeButton();
    std::vector<const char*> heard;
    // A first handler that only wants notifications with code 1, then one that takes commands.
    Reflection first(a, [&](UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
        if (msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lp)->code == 1) {
            heard.push_back("first");
            return 11;
        }
        return std::nullopt;
    });
    Reflection second = ReflectCommand(a, [&](WPARAM, LPARAM) {
        heard.push_back("second");
        return true;
    });

    // A real click: the button sends BN_CLICKED to its parent.
    SendMessageW(a, BM_CLICK, 0, 0);
    EXPECT_EQ(heard, (std::vector<const char*>{"second"}));
    EXPECT_TRUE(parent.fallback.empty());

    heard.clear();
    EXPECT_EQ(Notify(parent.Handle(), a, 1), 11);
    EXPECT_EQ(heard, (std::vector<const char*>{"first"}));
    // No handler of a claims code 2; b has none at all; a menu command has no sender.
    EXPECT_EQ(Notify(parent.Handle(), a, 2), 7);
    SendMessageW(b, BM_CLICK, 0, 0);
    SendMessageW(parent.Handle(), WM_COMMAND, MAKEWPARAM(40001, 0), 0);
    EXPECT_EQ(parent.fallback, (std::vector<HWND>{a, b, nullptr}));

    // Once a handler goes, its messages are the parent's again.
    parent.fallback.clear();
    second = Reflection();
    SendMessageW(a, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.fallback, (std::vector<HWND>{a}));
}

TEST(Reflection, AMenuItemsPictureIsNotTakenForAControls) {
    Parent parent;
    HWND a = parent.MakeButton();
    int drawn = 0;
    Reflection reflection(a, [&](UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        ++drawn;
        return TRUE;
    });
    DRAWITEMSTRUCT item{};
    item.hwndItem = a;
    item.CtlType = ODT_BUTTON;
    EXPECT_EQ(ReflectToSender(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), TRUE);
    // A menu's item carries its menu where a control's carries the control.
    item.CtlType = ODT_MENU;
    EXPECT_EQ(ReflectToSender(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item)), std::nullopt);
    EXPECT_EQ(drawn, 1);
}

TEST(WindowBase, TheWindowGoesWithItsObject) {
    HWND handle = nullptr;
    {
        Parent parent;
        handle = parent.Handle();
        ASSERT_TRUE(IsWindow(handle));
    }
    EXPECT_FALSE(IsWindow(handle));
}

std::wstring TextOf(HWND edit) {
    wchar_t text[32] = {};
    GetWindowTextW(edit, text, 32);
    return text;
}

TEST(Subclass, EachOneSeesMessagesUntilItGoesAndTheControlWorksAsBeforeAfterwards) {
    Parent parent;
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20,
                                parent.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    // Two on one control, each swallowing a letter of its own.
    auto swallow = [](wchar_t letter) {
        return [letter](HWND, UINT msg, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
            if (msg == WM_CHAR && wp == letter) {
                return 0;
            }
            return std::nullopt;
        };
    };
    const LONG_PTR ownProcedure = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    auto noX = std::make_unique<Subclass>(edit, swallow(L'x'));
    Subclass noY(edit, swallow(L'y'));
    ASSERT_TRUE(noX->Installed() && noY.Installed());
    auto type = [&](const wchar_t* keys) {
        for (const wchar_t* k = keys; *k; ++k) {
            SendMessageW(edit, WM_CHAR, *k, 0);
        }
    };
    type(L"axyb");
    EXPECT_EQ(TextOf(edit), L"ab");
    // The first made goes first: the other stays.
    noX.reset();
    type(L"xy");
    EXPECT_EQ(TextOf(edit), L"abx");
    noY = Subclass();
    type(L"y");
    EXPECT_EQ(TextOf(edit), L"abxy");
    // With none left the control has its own procedure back.
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), ownProcedure);

    // One that lives as long as its control, and one whose control goes first.
    Subclass::ForLifeOf(edit, swallow(L'z'));
    Subclass outlived(edit, swallow(L'q'));
    type(L"zq!");
    EXPECT_EQ(TextOf(edit), L"abxy!");
    DestroyWindow(edit);
    EXPECT_FALSE(outlived.Installed());
}

TEST(GdiScopes, EachPairedCallIsUndoneAtTheEndOfItsScope) {
    WindowDc screen(nullptr);
    ASSERT_TRUE(screen);
    UniqueDc dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap first(CreateCompatibleBitmap(screen.get(), 4, 4));
    UniqueBitmap second(CreateCompatibleBitmap(screen.get(), 4, 4));
    HGDIOBJ original = SelectObject(dc.get(), first.get());
    {
        SelectedObject selected(dc.get(), second.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), second.get());
        SelectedObject nothing(dc.get(), nullptr);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), second.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), first.get());
    SelectObject(dc.get(), original);

    Parent owner;
    {
        OpenedClipboard clipboard(owner.Handle(), 3, 1);
        ASSERT_TRUE(clipboard.Opened());
        EXPECT_EQ(GetOpenClipboardWindow(), owner.Handle());
    }
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

TEST(DpiScale, RoundsExactlyAsMulDivAtEveryCommonSetting) {
    const int values[] = {0,   1,   -1,   2,   -2,   5,     -5,     7,       -7,
                          13,  -13, 16,   -16, 47,   -47,   48,     -48,     49,
                          -49, 100, -100, 161, -161, 12345, -12345, 1 << 24, -(1 << 24)};
    for (const int dpi : {96, 120, 144, 192}) {
        for (const int v : values) {
            EXPECT_EQ(ScaleForDpi(v, dpi), MulDiv(v, dpi, 96)) << v << " at " << dpi;
            EXPECT_EQ(UnscaleForDpi(v, dpi), MulDiv(v, 96, dpi)) << v << " at " << dpi;
            EXPECT_EQ(PointsToPixels(v, dpi), MulDiv(v, dpi, 72)) << v << " at " << dpi;
        }
    }
}

} // namespace
} // namespace tw::win32
