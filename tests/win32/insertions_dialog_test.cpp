// The insertions dialog as a real window, opened through ShowInsertionsDialog: what it returns
// for Accept, Enter, Escape and the close box, the size it stores, and where it opens.
#include "expansion/insertions_dialog.h"
#include "expansion/insertions_settings.h"
#include "expansion/rtf_replace.h"
#include "expansion/win32/macro_inserts_window.h"
#include "fakes/fake_registry.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

namespace tw {
namespace {

// Runs `step` once from inside the dialog's modal loop, shortly after it has opened.
std::function<void()> g_step;

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto step = std::move(g_step);
    g_step = nullptr;
    if (step) {
        step();
    }
}

void WhileOpen(std::function<void()> step) {
    g_step = std::move(step);
    SetTimer(nullptr, 0, 100, &RunStep);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

class InsertionsDialogWindow : public ::testing::Test {
protected:
    InsertionsDialogWindow() {
        registry.CreateKey(kSettingsKey);
        WriteSetting(registry, kShowMacroIns, true);
    }

    bool Show(const std::string& fields, const InsertionsAnchor& anchor) {
        return ShowInsertionsDialog(window, window.Form(), fields, anchor);
    }

    fakes::FakeRegistry registry;
    win32::MacroInsertsWindow window{GetModuleHandleW(nullptr), registry, nullptr};
    const InsertionsAnchor centre = DropPointAnchor{400, 300};
};

TEST_F(InsertionsDialogWindow, TypedAnswersComeBackAfterEnter) {
    std::wstring first;
    HWND focused = nullptr;
    DWORD selStart = 1, selEnd = 0;
    WhileOpen([&] {
        const auto boxes = window.ValueBoxes();
        ASSERT_EQ(boxes.size(), 2u);
        first = TextOf(boxes[0]);
        focused = GetFocus();
        SendMessageW(boxes[0], EM_GETSEL, reinterpret_cast<WPARAM>(&selStart),
                     reinterpret_cast<LPARAM>(&selEnd));
        SetWindowTextW(boxes[0], L"John");
        SetWindowTextW(boxes[1], L"ACME, Inc. \x00fc \x0141 \x65e5 \xd83d\xdc4d");
        PostMessageW(boxes[1], WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_TRUE(Show("Name,Company", centre));
    EXPECT_EQ(first, L"Name");
    EXPECT_EQ(focused, window.ValueBoxes()[0]);
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 4u);
    // UTF-8, so that characters outside the ANSI code page arrive too.
    EXPECT_EQ(window.Form().GetAnswers(),
              std::string("John\x01"
                          "ACME, Inc. \xc3\xbc \xc5\x81 \xe6\x97\xa5 \xf0\x9f\x91\x8d"));
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

// The rich-edit control reads the replaced reply back with every character of the answer.
TEST_F(InsertionsDialogWindow, AnAnswerInAnyScriptArrivesInTheRichEditControl) {
    const std::wstring typed =
        L"\x0141ukasz Zo\x00eb \x65e5\x672c \xd83d\xdc4d \x201cok\x201d \x20ac";
    window.Form().PrepareFields("Name");
    SetWindowTextW(window.ValueBoxes().at(0), typed.c_str());
    const std::string reply = ReplaceInRtf(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\uc1 \\pard\\f0 "
        "Dear Name.\\par\r\n}",
        "Name", window.Form().GetAnswers());

    ASSERT_NE(LoadLibraryW(L"Msftedit.dll"), nullptr);
    HWND edit = CreateWindowExW(0, L"RICHEDIT50W", L"", WS_POPUP | ES_MULTILINE, 0, 0, 300, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    struct Reader {
        const std::string* text;
        std::size_t at = 0;
    } reader{&reply};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&reader);
    stream.pfnCallback = [](DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) -> DWORD {
        auto* r = reinterpret_cast<Reader*>(cookie);
        const std::size_t n =
            std::min<std::size_t>(static_cast<std::size_t>(wanted), r->text->size() - r->at);
        std::memcpy(buffer, r->text->data() + r->at, n);
        r->at += n;
        *got = static_cast<LONG>(n);
        return 0;
    };
    SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    wchar_t shown[256] = {};
    GetWindowTextW(edit, shown, 256);
    DestroyWindow(edit);
    std::wstring text = shown;
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) {
        text.pop_back(); // the final paragraph mark, which controls keep or drop
    }
    EXPECT_EQ(text, L"Dear " + typed + L".") << reply;
}

// Activated again, as the window system may do after the dialog has placed the focus, the
// window hands the focus on to the box that had it, never keeping it itself.
TEST_F(InsertionsDialogWindow, ActivatedAgainTheFocusReturnsToItsBox) {
    HWND afterOpening = nullptr, afterTabbing = nullptr;
    WhileOpen([&] {
        const auto boxes = window.ValueBoxes();
        SetFocus(window.Handle());
        afterOpening = GetFocus();
        SetFocus(boxes[1]);
        SendMessageW(window.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
        SetFocus(window.Handle());
        afterTabbing = GetFocus();
        PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(Show("Name,Company", centre));
    EXPECT_EQ(afterOpening, window.ValueBoxes()[0]);
    EXPECT_EQ(afterTabbing, window.ValueBoxes()[1]);
}

TEST_F(InsertionsDialogWindow, AcceptButtonIsOk) {
    WhileOpen([&] { SendMessageW(window.AcceptButton(), BM_CLICK, 0, 0); });
    EXPECT_TRUE(Show("Name", centre));
    EXPECT_EQ(window.Form().GetAnswers(), "Name");
}

TEST_F(InsertionsDialogWindow, EscapeAndTheCloseBoxCancel) {
    WhileOpen([&] { PostMessageW(window.ValueBoxes()[0], WM_KEYDOWN, VK_ESCAPE, 0); });
    EXPECT_FALSE(Show("Name", centre));
    WhileOpen([&] { PostMessageW(window.Handle(), WM_CLOSE, 0, 0); });
    EXPECT_FALSE(Show("Name", centre));
    // The window is reused: it opens again after a cancel.
    WhileOpen([&] { PostMessageW(window.ValueBoxes()[0], WM_KEYDOWN, VK_RETURN, 0); });
    EXPECT_TRUE(Show("Other", centre));
    EXPECT_EQ(window.Form().GetAnswers(), "Other");
}

TEST_F(InsertionsDialogWindow, ResizingStoresTheSizeAndTheNextOpeningRestoresIt) {
    WhileOpen([&] {
        SetWindowPos(window.Handle(), nullptr, 0, 0, 520, 260, SWP_NOMOVE | SWP_NOZORDER);
        PostMessageW(window.ValueBoxes()[0], WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_TRUE(Show("Name", centre));
    EXPECT_EQ(ReadInsertionsSize(registry), (DialogSize{520, 260}));
    // Another size stored meanwhile (as another run of the program would leave it).
    WriteInsertionsSize(registry, DialogSize{450, 200});
    DialogSize seen{};
    WhileOpen([&] {
        seen = window.FormSize();
        PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    });
    Show("Name", centre);
    EXPECT_EQ(seen, (DialogSize{450, 200}));
}

TEST_F(InsertionsDialogWindow, ShowTheDialogCheckBoxWritesTheSettingAtOnce) {
    bool checkedOnOpen = false;
    WhileOpen([&] {
        checkedOnOpen = SendMessageW(window.CheckShowBox(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        SendMessageW(window.CheckShowBox(), BM_CLICK, 0, 0);
        PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(Show("Name", centre));
    EXPECT_TRUE(checkedOnOpen);
    EXPECT_FALSE(SettingIsOn(registry, kShowMacroIns));
    EXPECT_EQ(TextOf(window.CheckShowBox()), L"Show the Dialog");
}

TEST_F(InsertionsDialogWindow, OpensOnScreenWithThePointerAtItsTopCentre) {
    RECT placed{};
    POINT pointer{};
    WhileOpen([&] {
        GetWindowRect(window.Handle(), &placed);
        GetCursorPos(&pointer);
        PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    });
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    Show("Name", DropPointAnchor{screenW + 500, screenH + 500});
    EXPECT_EQ(placed.right, screenW);
    EXPECT_EQ(placed.bottom, screenH);
    EXPECT_EQ(pointer.x, placed.left + (placed.right - placed.left) / 2);
    EXPECT_EQ(pointer.y, placed.top + 20);
    EXPECT_EQ(TextOf(window.Handle()), L"Textwright - Do Macro Insertions and Replacements ");
}

TEST_F(InsertionsDialogWindow, ManyFieldsScrollInsteadOfGrowingTheDialog) {
    std::string fields;
    for (int i = 0; i < 30; ++i) {
        fields += (i ? "," : "") + std::string("Field") + std::to_string(i);
    }
    DialogSize before = window.FormSize();
    DialogSize during{};
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    WhileOpen([&] {
        during = window.FormSize();
        GetScrollInfo(window.ScrollPanel(), SB_VERT, &si);
        PostMessageW(window.Handle(), WM_CLOSE, 0, 0);
    });
    Show(fields, centre);
    EXPECT_EQ(during, before);
    EXPECT_GT(si.nMax + 1, static_cast<int>(si.nPage));
    EXPECT_EQ(window.ValueBoxes().size(), 30u);
}

} // namespace
} // namespace tw
