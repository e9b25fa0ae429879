// The formatting toolbar on the real rich-edit control and the real toolbar: the word at the
// caret, the automatic colour, the indent steps, the alignment shown after a caret move, the size
// box, the font list, and the core reading what the editor writes as the control shows it.
#include "delivery/reply_content.h"
#include "library/text_lines.h"
#include "platform/win32/ansi_path.h"
#include "ui/formatting_toolbar.h"
#include "ui/win32/editor_keys.h"
#include "ui/win32/editor_toolbar.h"
#include "ui/win32/formatting_toolbar_view.h"
#include "ui/win32/rich_editor.h"
#include "ui/win32/rich_formatting.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <memory>
#include <string>
#include <vector>

namespace tw::win32 {
namespace {

class FormattingWindow : public ::testing::Test {
protected:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<FormattingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == WM_NOTIFY) {
            const auto& header = *reinterpret_cast<const NMHDR*>(lp);
            if (header.hwndFrom == self->editorHwnd && header.code == EN_SELCHANGE) {
                self->toolbar->SelectionChange();
                return 0;
            }
            LRESULT result = 0;
            if (self->view->OnNotify(header, result)) {
                return result;
            }
        }
        if (self && msg == WM_COMMAND && reinterpret_cast<HWND>(lp) == self->toolbarHwnd) {
            self->view->OnCommand(LOWORD(wp));
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc),
                                 ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FormattingTestWindow";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, wc.lpszClassName, L"formatting", WS_OVERLAPPEDWINDOW, 0, 0, 900,
                                 500, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        bar = std::make_unique<EditorToolbar>(window, kToolBarEditorId);
        toolbarHwnd = bar->Handle();
        editorHwnd = RichEditor::Create(window, 400);
        ASSERT_NE(editorHwnd, nullptr);
        // As the main window does; the control's own default face may be a bold one.
        SendMessageW(editorHwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        editor = std::make_unique<RichEditor>(editorHwnd);
        formats = std::make_unique<RichEditFormatting>(editorHwnd);
        view = std::make_unique<FormattingToolbarControls>(
            toolbarHwnd, editorHwnd, 96, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        toolbar = std::make_unique<FormattingToolbar>(*editor, *formats, *view, report);
        view->SetHandlers(toolbar.get());
        toolbar->FillLists();
        const int height = bar->Layout(0, 0, 880);
        MoveWindow(editorHwnd, 0, height, 880, 400, FALSE);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ShowWindow(window, SW_SHOW);
    }
    void TearDown() override {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        view.reset();
        DestroyWindow(window);
    }

    void Load(const std::string& rtf, LONG caret) {
        ASSERT_TRUE(editor->LoadRtf(rtf));
        Select(caret, caret);
    }
    void Select(LONG from, LONG to) {
        CHARRANGE r{from, to};
        SendMessageW(editorHwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    }
    CHARRANGE Selection() {
        CHARRANGE r{};
        SendMessageW(editorHwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    CHARFORMAT2W FormatOf(LONG from, LONG to) {
        const CHARRANGE kept = Selection();
        Select(from, to);
        CHARFORMAT2W cf{};
        cf.cbSize = sizeof cf;
        SendMessageW(editorHwnd, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        Select(kept.cpMin, kept.cpMax);
        return cf;
    }
    bool Bold(LONG from, LONG to) {
        const CHARFORMAT2W cf = FormatOf(from, to);
        return (cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD);
    }
    LONG Indent() {
        PARAFORMAT2 pf{};
        pf.cbSize = sizeof pf;
        SendMessageW(editorHwnd, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
        return pf.dxStartIndent;
    }
    std::string PlainText() {
        wchar_t buffer[256] = {};
        GetWindowTextW(editorHwnd, buffer, 256);
        return WideToAnsi(buffer);
    }

    HWND window = nullptr, toolbarHwnd = nullptr, editorHwnd = nullptr;
    std::unique_ptr<EditorToolbar> bar;
    std::unique_ptr<RichEditor> editor;
    std::unique_ptr<RichEditFormatting> formats;
    std::unique_ptr<FormattingToolbarControls> view;
    std::unique_ptr<FormattingToolbar> toolbar;
    class Report : public ErrorReportPort {
    public:
        std::vector<std::string> shown;
        void ShowErrorReport(const std::string& text) override { shown.push_back(text); }
    } report;
};

TEST_F(FormattingWindow, BoldWithNothingSelectedChangesTheWholeWordAtTheCaret) {
    struct Case {
        LONG caret;
        bool alpha, beta, gamma;
    };
    // "alpha beta  gamma": caret inside beta, right after it, and between the two blanks.
    const Case cases[] = {
        {8, false, true, false}, {10, false, true, false}, {11, false, false, false}};
    for (const Case& c : cases) {
        Load("{\\rtf1\\ansi alpha beta  gamma}", c.caret);
        SendMessageW(toolbarHwnd, TB_CHECKBUTTON, kBoldButId, TRUE);
        view->OnCommand(kBoldButId);
        EXPECT_EQ(Bold(0, 5), c.alpha) << c.caret;
        EXPECT_EQ(Bold(6, 10), c.beta) << c.caret;
        EXPECT_EQ(Bold(12, 17), c.gamma) << c.caret;
        EXPECT_FALSE(Bold(10, 12)) << c.caret; // the blanks stay as they were
        const CHARRANGE after = Selection();
        EXPECT_EQ(after.cpMin, c.caret);
        EXPECT_EQ(after.cpMax, c.caret);
        EXPECT_EQ(PlainText(), "alpha beta  gamma");
    }
}

TEST_F(FormattingWindow, AutomaticRemovesAnExplicitColourAndIsCheckedForSuchText) {
    Load("{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\cf1 red text}", 0);
    Select(0, 3);
    toolbar->ColorPopupPopup();
    EXPECT_EQ(view->Colors().Checked(), 9); // Red
    toolbar->ColorItemClick(16);
    const CHARFORMAT2W cf = FormatOf(0, 3);
    EXPECT_TRUE(cf.dwEffects & CFE_AUTOCOLOR);
    toolbar->ColorPopupPopup();
    EXPECT_EQ(view->Colors().Checked(), 16);
    // A colour outside the menu checks nothing.
    CHARFORMAT2W odd{};
    odd.cbSize = sizeof odd;
    odd.dwMask = CFM_COLOR;
    odd.crTextColor = RGB(1, 2, 3);
    SendMessageW(editorHwnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&odd));
    toolbar->ColorPopupPopup();
    EXPECT_EQ(view->Colors().Checked(), -1);
}

TEST_F(FormattingWindow, IndentButtonsStepTenPointsAndStopAtTheMargin) {
    Load("{\\rtf1\\ansi indented}", 2);
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET;
    pf.dxStartIndent = 600; // 30 points
    pf.dxRightIndent = 100;
    pf.dxOffset = 200;
    SendMessageW(editorHwnd, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    view->OnCommand(kDecIndentButId);
    EXPECT_EQ(Indent(), 400);
    pf = PARAFORMAT2{};
    pf.cbSize = sizeof pf;
    SendMessageW(editorHwnd, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    EXPECT_EQ(pf.dxRightIndent, 100); // only the start indent moves
    EXPECT_EQ(pf.dxOffset, 200);
    for (int i = 0; i < 3; ++i) {
        view->OnCommand(kDecIndentButId);
    }
    EXPECT_EQ(Indent(), 0);
    view->OnCommand(kIncIndentButId);
    EXPECT_EQ(Indent(), 200);
}

TEST_F(FormattingWindow, CaretMovesShowTheParagraphsAlignmentAndNeverChangeTheText) {
    Load("{\\rtf1\\ansi left\\par\\qc centre\\par\\qr right\\par\\b bold}", 0);
    const std::string before = editor->RtfSource();
    struct Case {
        LONG caret;
        int down;
        bool bold;
    };
    const Case cases[] = {{7, kCenterAlignId, false},
                          {15, kRightAlignId, false},
                          {2, kLeftAlignId, false},
                          {21, kRightAlignId, true}};
    for (const Case& c : cases) {
        Select(c.caret, c.caret);
        for (int id : {kLeftAlignId, kCenterAlignId, kRightAlignId}) {
            EXPECT_EQ(view->ButtonDown(id), id == c.down) << c.caret << " " << id;
        }
        EXPECT_EQ(view->ButtonDown(kBoldButId), c.bold) << c.caret;
    }
    EXPECT_EQ(editor->RtfSource(), before);
    EXPECT_FALSE(SendMessageW(editorHwnd, EM_CANUNDO, 0, 0));
}

TEST_F(FormattingWindow, SizeBoxAppliesWholeNumbersAndReportsTheRest) {
    Load("{\\rtf1\\ansi\\fs20 some words}", 2);
    SetWindowTextW(view->FontSize(), L"14");
    EXPECT_EQ(FormatOf(0, 4).yHeight, 14 * 20);
    EXPECT_EQ(FormatOf(5, 10).yHeight, 10 * 20);
    SetWindowTextW(view->FontSize(), L"1x");
    EXPECT_EQ(report.shown, std::vector<std::string>{"'1x' is not a valid integer value."});
    EXPECT_EQ(FormatOf(0, 4).yHeight, 14 * 20);
    // The up-down arrows step the box from its value.
    SetWindowTextW(view->FontSize(), L"20");
    SendMessageW(view->UpDownFontSize(), UDM_SETPOS32, 0, 21);
    EXPECT_EQ(FormatOf(0, 4).yHeight, 21 * 20);
}

TEST_F(FormattingWindow, FontListHoldsTheScreensFontsSortedAndAppliesAChosenOne) {
    const LRESULT count = SendMessageW(view->FontName(), CB_GETCOUNT, 0, 0);
    ASSERT_GT(count, 1);
    std::vector<std::wstring> names;
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t name[LF_FACESIZE + 1] = {};
        SendMessageW(view->FontName(), CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(name));
        names.emplace_back(name);
    }
    for (std::size_t i = 1; i < names.size(); ++i) {
        EXPECT_LT(CompareStringOrdinal(names[i - 1].c_str(), -1, names[i].c_str(), -1, TRUE),
                  CSTR_EQUAL)
            << WideToAnsi(names[i]);
    }
    Load("{\\rtf1\\ansi two words}", 1);
    SendMessageW(view->FontName(), CB_SETCURSEL, 1, 0);
    SendMessageW(toolbarHwnd, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(view->FontName()));
    EXPECT_EQ(std::wstring(FormatOf(0, 3).szFaceName), names[1]);
    EXPECT_NE(std::wstring(FormatOf(4, 9).szFaceName), names[1]);
}

TEST_F(FormattingWindow, EditShortcutsInTheEditorRunTheirMenuCommands) {
    std::vector<MainCommand> ran;
    HookEditorShortcuts(editorHwnd, [&](MainCommand c) { ran.push_back(c); });
    Load("{\\rtf1\\ansi text}", 2);
    struct Case {
        WPARAM key;
        bool shift;
        std::vector<MainCommand> ran;
    };
    const Case cases[] = {
        {'Z', true, {MainCommand::EditorRedo}},
        {'Z', false, {MainCommand::EditorUndo}},
        {'A', false, {MainCommand::EditorSelectAll}},
        {'Q', false, {}}, // not an edit shortcut: the control has it
    };
    BYTE keys[256] = {};
    for (const Case& c : cases) {
        ran.clear();
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(editorHwnd, WM_KEYDOWN, c.key, 0);
        SendMessageW(editorHwnd, WM_CHAR, c.key - 'A' + 1, 0);
        EXPECT_EQ(ran, c.ran) << char(c.key);
    }
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(PlainText(), "text");
}

// What the editor writes reads as the same plain text in the core as in the control, so the plain
// text a delivery renders is the text the user sees in the editor.
TEST_F(FormattingWindow, TheCoresPlainTextOfWhatTheEditorWritesIsTheControls) {
    const char* const bodies[] = {
        "{\\rtf1\\ansi one\\par two\\par\\par three}",
        // Not \\line: Wine's control gives a space for the line break it shows; the core keeps
        // the break.
        "{\\rtf1\\ansi a\\tab b\\tab\\tab c}",
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}\\pard"
        "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
        "\\fi-360\\li720\\f0 first\\par{\\pntext\\f1\\'B7\\tab}second\\par\\pard after}",
        "{\\rtf1\\ansi see {\\field{\\*\\fldinst{HYPERLINK \"https://example.com/\"}}"
        "{\\fldrslt{\\ul link}}} here}",
        "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\u8364?}",
    };
    const auto withoutLastBreak = [](std::u16string text) {
        while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) {
            text.pop_back();
        }
        return text;
    };
    for (const char* body : bodies) {
        SCOPED_TRACE(body);
        editor->LoadBody({body});
        const std::string written = JoinLines(editor->BodyLines());
        EXPECT_EQ(withoutLastBreak(RenderReply(written).text),
                  withoutLastBreak(editor->EditorPlainText()))
            << written;
    }
}

} // namespace
} // namespace tw::win32
