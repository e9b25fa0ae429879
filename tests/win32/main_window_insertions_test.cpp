// The main window's predefined insertions against the real controls: the toolbar row and its
// menu, an insertion chosen from the menu saved by Save All, and the insertions dialog made once
// beside the window.
#include "settings/reg_proc.h"
#include "app/settings.h"
#include "fakes/fake_registry.h"
#include "fakes/temp_dir.h"
#include "hooks/win32/process_hooks.h"
#include "platform/win32/ansi_path.h"
#include "ui/main_commands.h"
#include "ui/win32/editor_toolbar.h"
#include "ui/win32/main_menu.h"
#include "ui/win32/main_window.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <string>
#include <vector>

namespace tw::win32 {
namespace {

// Any box the window would show is recorded instead, so a test never waits on one.
class RecordingBoxes : public Win32MessageBoxes {
public:
    void ShowInfo(const std::string& t) override { shown.push_back(t); }
    void ShowWarning(const std::string& t) override { shown.push_back(t); }
    void ShowError(const std::string& t) override { shown.push_back(t); }
    bool AskYesNo(const std::string& t) override {
        shown.push_back(t);
        return false;
    }
    void ShowErrorReport(const std::string& t) override { shown.push_back(t); }
    std::vector<std::string> shown;
};

class NoShell : public ShellPort {
public:
    bool OpenDocument(const std::string&) override { return false; }
};

class NoHooks : public HookComponents {
public:
    void StartHooks() override {}
    void StopHooks() override {}
    SystemHooks& Components() override { return components; }
    SystemHooks components{ProcessHookLoader(), ProcessHookHost()};
};

std::wstring PlainText(HWND editor) {
    const int n = GetWindowTextLengthW(editor);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(editor, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) {
        text.pop_back();
    }
    return text;
}

class MainWindowInsertions : public ::testing::Test {
protected:
    MainWindowInsertions() {
        temp.Put("Replies/index.sub", "REPLY_1?Thanks\r\nREPLY_2?Dated\r\n");
        temp.Put("Replies/1.rep", "\r\n\r\n{\\rtf1\\ansi Dear {\\b Name}, hello}\r\n");
        temp.Put("Replies/2.rep",
                 "\r\n\r\n{\\rtf1\\ansi Dear Name, %date at %ShortTime; %Month}\r\n");
        registry.CreateKey(kSettingsKey);
        RegWriteInteger(registry, kSettingsKey, kShowTips, 0);
        EXPECT_TRUE(window.Create());
        window.CreateInsertionsDialog();
    }
    ~MainWindowInsertions() override { EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front(); }

    HWND Editor() { return window.Editing()->Editor().Handle(); }
    void SelectReply() {
        window.Form().NavigationChange(window.Library().Tree().FirstNode());
        ASSERT_EQ(PlainText(Editor()), L"Dear Name, hello");
    }
    void Select(int from, int to) {
        CHARRANGE range{from, to};
        SendMessageW(Editor(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    // What the menu sends its owner when the item is clicked.
    void ClickInsertion(int tag) {
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(kPredefinedInsertionBaseId + tag, 0),
                     0);
    }
    void SaveAll() {
        window.Form().ActionMainFormUpdate();
        SendMessageW(window.Handle(), WM_COMMAND,
                     MAKEWPARAM(MenuIdOf(MainCommand::EditorForceSave), 0), 0);
    }
    // An unsaved edit: Save All is on after the idle-time refresh.
    bool Modified() {
        window.Form().ActionMainFormUpdate();
        const UINT state = GetMenuState(GetMenu(window.Handle()),
                                        MenuIdOf(MainCommand::EditorForceSave), MF_BYCOMMAND);
        EXPECT_NE(state, static_cast<UINT>(-1));
        return !(state & MF_GRAYED);
    }
    std::string Body(const std::string& file_name = "1.rep") {
        const std::string file = temp.Get("Replies/" + file_name);
        return file.substr(file.find("\r\n\r\n") + 4);
    }

    fakes::TempDir temp;
    fakes::FakeRegistry registry;
    RecordingBoxes boxes;
    NoShell shell;
    NoHooks hooks;
    DeliveryTrace noTrace;
    MainWindow window{
        MakeStartupGlobals((temp.Path() / "Textwright.exe").string()),
        {.registry = registry, .boxes = boxes, .shell = shell, .hooks = hooks, .trace = noTrace}};
};

TEST_F(MainWindowInsertions, TheToolbarEndsWithTheInsertionsButtonAndItsMenu) {
    HWND toolbar = window.Editing()->Toolbar().Handle();
    const auto count = static_cast<WPARAM>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    ASSERT_GE(count, 2u);
    TBBUTTON sep7{}, button{};
    SendMessageW(toolbar, TB_GETBUTTON, count - 2, reinterpret_cast<LPARAM>(&sep7));
    SendMessageW(toolbar, TB_GETBUTTON, count - 1, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE(sep7.fsStyle & BTNS_SEP);
    EXPECT_EQ(button.idCommand, kButPreDefParamsId);
    EXPECT_TRUE(button.fsStyle & BTNS_WHOLEDROPDOWN);

    // The hint, asked the way the toolbar's tooltip asks its parent.
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = kButPreDefParamsId;
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(window.Handle(), WM_NOTIFY, kButPreDefParamsId, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, L"Predefined Reply Insertions");

    const wchar_t* const expected[] = {
        L"%Date - Today (date in full)",        L"%ShortDate - Today (short date)",
        L"%Day - Today (day of the week)",      nullptr,
        L"%YDate - Yesterday (date in full)",   L"%YShortDate - Yesterday (short date)",
        L"%YDay - Yesterday (day of the week)", nullptr,
        L"%TDate - Tomorrow (date in full)",    L"%TShortDate - Tomorrow (short date)",
        L"%TDay - Tomorrow (day of the week)",  nullptr,
        L"%Time - Current Time (full)",         L"%ShortTime - Current Time (short)"};
    HMENU menu = window.Editing()->Toolbar().PopupMenuPreDefParams();
    ASSERT_EQ(GetMenuItemCount(menu), 14);
    int tag = 0;
    for (int i = 0; i < 14; ++i) {
        wchar_t caption[80] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        item.dwTypeData = caption;
        item.cch = 80;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item));
        if (!expected[i]) {
            EXPECT_TRUE(item.fType & MFT_SEPARATOR) << i;
            continue;
        }
        ++tag;
        EXPECT_STREQ(caption, expected[i]);
        EXPECT_EQ(item.wID, static_cast<UINT>(kPredefinedInsertionBaseId + tag)) << i;
        EXPECT_FALSE(item.fState & MFS_GRAYED) << i;
    }
}

TEST_F(MainWindowInsertions, TheToolbarIsOnlyEnabledForAReply) {
    HWND toolbar = window.Editing()->Toolbar().Handle();
    window.Form().ActionMainFormUpdate();
    EXPECT_FALSE(SendMessageW(toolbar, TB_ISBUTTONENABLED, kButPreDefParamsId, 0));
    SelectReply();
    window.Form().ActionMainFormUpdate();
    EXPECT_TRUE(SendMessageW(toolbar, TB_ISBUTTONENABLED, kButPreDefParamsId, 0));
}

TEST_F(MainWindowInsertions, AChosenItemReplacesTheSelectionAndSaveAllWritesIt) {
    SelectReply();
    Select(11, 16); // hello
    ClickInsertion(1);
    EXPECT_EQ(PlainText(Editor()), L"Dear Name, %Date");
    EXPECT_TRUE(Modified());
    // With no selection the name goes in at the caret.
    Select(4, 4);
    ClickInsertion(11);
    EXPECT_EQ(PlainText(Editor()), L"Dear%ShortTime Name, %Date");
    SaveAll();
    EXPECT_FALSE(Modified());
    const std::string body = Body();
    EXPECT_NE(body.find("%ShortTime"), std::string::npos) << body;
    EXPECT_NE(body.find("%Date"), std::string::npos) << body;
    EXPECT_EQ(body.find("hello"), std::string::npos) << body;
}

TEST_F(MainWindowInsertions, TheInsertedNameTakesTheFormatAtTheCaret) {
    SelectReply();
    Select(5, 9); // the bold Name
    ClickInsertion(3);
    EXPECT_EQ(PlainText(Editor()), L"Dear %Day, hello");
    auto bold = [&](int from, int to) {
        Select(from, to);
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(Editor(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        return (format.dwMask & CFM_BOLD) && (format.dwEffects & CFE_BOLD);
    };
    EXPECT_TRUE(bold(5, 9));
    EXPECT_FALSE(bold(11, 16));
}

TEST_F(MainWindowInsertions, CommandsThatAreNoInsertionInsertNothing) {
    SelectReply();
    for (int id : {kPredefinedInsertionBaseId, kPredefinedInsertionBaseId + 12}) {
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    EXPECT_EQ(PlainText(Editor()), L"Dear Name, hello");
    EXPECT_FALSE(Modified());
}

TEST_F(MainWindowInsertions, TheInsertionsDialogIsMadeOnceAndWaitsHidden) {
    MacroInsertsWindow* dialog = window.InsertionsDialog();
    ASSERT_NE(dialog, nullptr);
    window.CreateInsertionsDialog();
    EXPECT_EQ(window.InsertionsDialog(), dialog);
    ASSERT_TRUE(IsWindow(dialog->Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_EQ(FindWindowW(nullptr, L"Textwright - Do Macro Insertions and Replacements "),
              dialog->Handle());
    // Owned by the main window, so it has no taskbar button of its own.
    EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), window.Handle());
    EXPECT_FALSE(GetWindowLongPtrW(dialog->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(MainWindowInsertions, LeavingTheApplicationWritesTheEditAndComingBackDoesNot) {
    SelectReply();
    Select(11, 16); // hello
    ClickInsertion(2);
    ASSERT_TRUE(Modified());
    SendMessageW(window.Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(Modified());
    EXPECT_FALSE(window.Form().Delivery().WatchingInput);
    SendMessageW(window.Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(Modified());
    EXPECT_TRUE(window.Form().Delivery().WatchingInput);
    EXPECT_NE(Body().find("%ShortDate"), std::string::npos) << Body();
}

} // namespace
} // namespace tw::win32
