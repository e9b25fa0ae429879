// A small driver for the end-to-end tests: finds the program's windows and reports or pokes
// them the way the window system would. Prints one line; exit code 0 on success, 1 when the
// window asked for is not there, 2 for bad arguments.
//   e2e_probe state                 visible=0|1 tree=N macros=N hotkeys=N
//   e2e_probe tray-click            a left click on the tray icon
//   e2e_probe tray-menu             a right click on the tray icon: its menu opens
//   e2e_probe menu-shown            whether a popup menu is open
//   e2e_probe menu-key up|down|return  a key pressed in the open popup menu
//   e2e_probe close                 the window's close button
//   e2e_probe exit                  File > Exit
//   e2e_probe menu options|about    Options, Help > About Textwright
//   e2e_probe geometry              WIDTH HEIGHT LEFT TOP of the window, then of the work area
//   e2e_probe panes                 tree=WxH macros=WxH hotkeys=WxH
//   e2e_probe shown-beside-tree     how many controls besides the tree are shown
//   e2e_probe rect tree|macros|hotkeys  LEFT TOP RIGHT BOTTOM of that pane on the screen
//   e2e_probe focus                 the control id that has the keyboard focus, 0 for none
//   e2e_probe dialog CAPTION        the texts of the top-level window with that caption
//   e2e_probe dismiss CAPTION       presses its OK / Close button
//   e2e_probe count CAPTION         how many top-level windows have that caption
//   e2e_probe exists CAPTION        1 when a window with that caption exists, shown or hidden
//   e2e_probe editor-toolbar        LEFT TOP RIGHT BOTTOM of the editor's toolbar on the screen
//   e2e_probe text CAPTION          the text of that window's edit control (the window's own
//                                   text when it has none), "\n" for each line break
//   e2e_probe foreground            the caption of the foreground window
//   e2e_probe delivery-buttons      copy=0|1 paste=0|1: whether ButInCB and ButInLastWnd are
//   enabled e2e_probe set-text CAPTION TEXT replaces the text of that window's edit control
//   e2e_probe clipboard             rtf=0|1 html=0|1 text=0|1: which formats the clipboard has
//   e2e_probe clipboard-text        its plain text, line breaks as above
//   e2e_probe clipboard-rtf         its rich text, as stored
//   e2e_probe clipboard-set TEXT    puts TEXT on the clipboard as plain text only
//   e2e_probe rows CAPTION          the rows of that window's list box, one a line, tabs as "|"
//   e2e_probe tree-selected         LEFT TOP RIGHT BOTTOM of the selected tree item's caption
//                                   on the screen
#include "ui/main_commands.h"
#include "ui/win32/editing_pane.h"
#include "ui/win32/editor_toolbar.h"
#include "ui/win32/main_menu.h"
#include "ui/win32/main_window.h"
#include "clipboard_test_support.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace tw;
using namespace tw::win32;

std::string Utf8(const std::wstring& w) {
    if (w.empty()) {
        return {};
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring TextOf(HWND w) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(w, buffer, 1024);
    return buffer;
}

struct Search {
    std::wstring caption;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (IsWindowVisible(w) && TextOf(w) == s->caption) {
        s->found.push_back(w);
    }
    return TRUE;
}

std::vector<HWND> TopLevelWithCaption(const std::wstring& caption) {
    Search s{caption, {}};
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Every visible top-level window as "class [caption]": what stands in a program's way.
BOOL CALLBACK PrintTopLevel(HWND w, LPARAM) {
    if (IsWindowVisible(w)) {
        wchar_t name[128] = L"";
        GetClassNameW(w, name, 128);
        std::printf("%s [%s]\n", Utf8(name).c_str(), Utf8(TextOf(w)).c_str());
    }
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND w, LPARAM) {
    const std::wstring text = TextOf(w);
    if (!text.empty()) {
        std::printf("%s\n", Utf8(text).c_str());
    }
    return TRUE;
}

// Line breaks as a backslash and "n", so one reply reads as one line of output.
std::string OneLine(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            continue;
        }
        out +=
            text[i] == L'\n' || text[i] == L'\r' ? std::wstring(L"\\n") : std::wstring(1, text[i]);
    }
    return Utf8(out);
}

BOOL CALLBACK PrintListRows(HWND w, LPARAM) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (lstrcmpiW(cls, L"ListBox") != 0) {
        return TRUE;
    }
    const LRESULT count = SendMessageW(w, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring row(static_cast<std::size_t>(SendMessageW(w, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        row.resize(static_cast<std::size_t>(
            SendMessageW(w, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row.data()))));
        for (wchar_t& c : row) {
            c = c == L'\t' ? L'|' : c;
        }
        std::printf("%s\n", Utf8(row).c_str());
    }
    return FALSE;
}

BOOL CALLBACK FindEditChild(HWND w, LPARAM lp) {
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    const std::wstring name = cls;
    if (_wcsicmp(cls, L"Edit") == 0 || name.rfind(L"RichEdit", 0) == 0 ||
        name.rfind(L"RICHEDIT", 0) == 0) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}

// WM_GETTEXT is carried across processes, whatever the text's length.
std::wstring FullTextOf(HWND w) {
    const LRESULT length = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

int Clipboard(const std::wstring& verb, int argc, wchar_t** argv) {
    const UINT rtf = RegisterClipboardFormatW(L"Rich Text Format");
    if (!tw::test::OpenClipboardPatiently()) {
        std::printf("busy\n");
        return 1;
    }
    int result = 0;
    if (verb == L"clipboard") {
        std::printf("rtf=%d html=%d text=%d\n", IsClipboardFormatAvailable(rtf) ? 1 : 0,
                    IsClipboardFormatAvailable(RegisterClipboardFormatW(L"HTML Format")) ? 1 : 0,
                    IsClipboardFormatAvailable(CF_UNICODETEXT) ? 1 : 0);
    } else if (verb == L"clipboard-text" || verb == L"clipboard-rtf") {
        const bool plain = verb == L"clipboard-text";
        HANDLE data = GetClipboardData(plain ? CF_UNICODETEXT : rtf);
        const void* bytes = data ? GlobalLock(data) : nullptr;
        if (!bytes) {
            std::printf("absent\n");
            result = 1;
        } else {
            if (plain) {
                std::printf("%s\n", OneLine(static_cast<const wchar_t*>(bytes)).c_str());
            } else {
                const auto* text = static_cast<const char*>(bytes);
                std::fwrite(text, 1, strnlen(text, GlobalSize(data)), stdout);
                std::printf("\n");
            }
            GlobalUnlock(data);
        }
    } else if (verb == L"clipboard-set" && argc > 2) {
        const std::wstring text = argv[2];
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        if (copy) {
            std::memcpy(GlobalLock(copy), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(copy);
            EmptyClipboard();
            if (!SetClipboardData(CF_UNICODETEXT, copy)) {
                GlobalFree(copy);
                result = 1;
            }
        }
        std::printf("ok\n");
    } else {
        result = 2;
    }
    CloseClipboard();
    return result;
}

int State(HWND main) {
    const auto count = [&](int id, UINT msg) {
        return static_cast<long long>(SendMessageW(GetDlgItem(main, id), msg, 0, 0));
    };
    std::printf("visible=%d tree=%lld macros=%lld hotkeys=%lld\n", IsWindowVisible(main) ? 1 : 0,
                count(kNavigationId, TVM_GETCOUNT), count(kListMacrosId, LB_GETCOUNT),
                count(kListHotKeysId, LB_GETCOUNT));
    return 0;
}

// The item's rectangle lives in the program's memory: the message takes and fills a pointer.
int SelectedTreeItem(HWND main) {
    HWND tree = GetDlgItem(main, kNavigationId);
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!item || !process) {
        std::printf("absent\n");
        return 1;
    }
    RECT r{};
    std::memcpy(&r, &item, sizeof item);
    void* remote = VirtualAllocEx(process, nullptr, sizeof r, MEM_COMMIT, PAGE_READWRITE);
    bool ok = remote && WriteProcessMemory(process, remote, &r, sizeof r, nullptr) &&
              SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote)) &&
              ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
    if (remote) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    ok = ok && MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&r), 2) != 0;
    if (!ok) {
        std::printf("absent\n");
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

// The state with every folder of the tree open, as if the user opened each (so the program makes
// their items); the folders opened here close again afterwards.
int StateWithAllOpen(HWND main) {
    HWND tree = GetDlgItem(main, kNavigationId);
    std::vector<HTREEITEM> opened;
    std::vector<HTREEITEM> pending{TreeView_GetRoot(tree)};
    while (!pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        for (; item; item = TreeView_GetNextSibling(tree, item)) {
            if (!(TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) &&
                TreeView_Expand(tree, item, TVE_EXPAND)) {
                opened.push_back(item);
            }
            pending.push_back(TreeView_GetChild(tree, item));
        }
    }
    const int result = State(main);
    for (auto it = opened.rbegin(); it != opened.rend(); ++it) {
        TreeView_Expand(tree, *it, TVE_COLLAPSE);
    }
    return result;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return 2;
    }
    const std::wstring verb = argv[1];
    if (verb == L"windows") {
        EnumWindows(&PrintTopLevel, 0);
        return 0;
    }
    if (verb == L"dialog" || verb == L"dismiss" || verb == L"count") {
        if (argc < 3) {
            return 2;
        }
        const auto windows = TopLevelWithCaption(argv[2]);
        if (verb == L"count") {
            std::printf("%zu\n", windows.size());
            return 0;
        }
        if (windows.empty()) {
            std::printf("absent\n");
            return 1;
        }
        if (verb == L"dialog") {
            EnumChildWindows(windows.front(), &PrintChild, 0);
        } else {
            // A message box's only button and a dialog's default button both answer IDOK;
            // IDCANCEL closes the rest. A question's button is named: yes, no or cancel.
            const std::wstring button = argc > 3 ? argv[3] : L"";
            const int id = button == L"yes"      ? IDYES
                           : button == L"no"     ? IDNO
                           : button == L"cancel" ? IDCANCEL
                                                 : IDOK;
            PostMessageW(windows.front(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        }
        return 0;
    }
    if (verb.rfind(L"clipboard", 0) == 0) {
        return Clipboard(verb, argc, argv);
    }
    if (verb == L"rows") {
        HWND w = argc < 3 ? nullptr : FindWindowW(nullptr, argv[2]);
        if (!w) {
            std::printf("absent\n");
            return 1;
        }
        EnumChildWindows(w, &PrintListRows, 0);
        return 0;
    }
    if (verb == L"text" || verb == L"set-text") {
        HWND w = argc < 3 ? nullptr : FindWindowW(nullptr, argv[2]);
        if (!w) {
            std::printf("absent\n");
            return 1;
        }
        HWND edit = nullptr;
        EnumChildWindows(w, &FindEditChild, reinterpret_cast<LPARAM>(&edit));
        edit = edit ? edit : w;
        if (verb == L"set-text") {
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argc > 3 ? argv[3] : L""));
            std::printf("ok\n");
        } else {
            std::printf("%s\n", OneLine(FullTextOf(edit)).c_str());
        }
        return 0;
    }
    if (verb == L"foreground") {
        std::printf("%s\n", Utf8(TextOf(GetForegroundWindow())).c_str());
        return 0;
    }
    if (verb == L"exists") {
        if (argc < 3) {
            return 2;
        }
        std::printf("%d\n", FindWindowW(nullptr, argv[2]) ? 1 : 0);
        return 0;
    }
    if (verb == L"client") { // the client size of a window, shown or hidden
        HWND w = argc < 3 ? nullptr : FindWindowW(nullptr, argv[2]);
        RECT r{};
        if (!w || !GetClientRect(w, &r)) {
            return 1;
        }
        std::printf("%ld %ld\n", r.right, r.bottom);
        return 0;
    }
    if (verb == L"menu-key" || verb == L"menu-shown") {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) {
            std::printf("absent\n");
            return 1;
        }
        if (verb == L"menu-shown") {
            std::printf("shown\n");
            return 0;
        }
        const std::wstring key = argc > 2 ? argv[2] : L"";
        if (key != L"up" && key != L"down" && key != L"return") {
            return 2;
        }
        const WPARAM vk = key == L"up" ? VK_UP : key == L"down" ? VK_DOWN : VK_RETURN;
        PostMessageW(menu, WM_KEYDOWN, vk, 0);
        std::printf("ok\n");
        return 0;
    }
    HWND main = FindWindowW(kMainWindowClass, nullptr);
    if (!main) {
        std::printf("absent\n");
        return 1;
    }
    if (verb == L"state") {
        return State(main);
    }
    if (verb == L"tree-selected") {
        return SelectedTreeItem(main);
    }
    if (verb == L"state-all-open") {
        return StateWithAllOpen(main);
    }
    if (verb == L"macros") { // the macro list's rows
        PrintListRows(GetDlgItem(main, kListMacrosId), 0);
        return 0;
    }
    if (verb == L"geometry") {
        RECT w{}, work{};
        GetWindowRect(main, &w);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", w.right - w.left, w.bottom - w.top, w.left,
                    w.top, work.right - work.left, work.bottom - work.top, work.left, work.top);
        return 0;
    }
    if (verb == L"focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
        std::printf("%d\n", info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0);
        return 0;
    }
    if (verb == L"delivery-buttons") {
        const auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(main, id)) ? 1 : 0; };
        std::printf("copy=%d paste=%d\n", enabled(kButInCBId), enabled(kButInLastWndId));
        return 0;
    }
    if (verb == L"editor-toolbar") {
        RECT r{};
        GetWindowRect(GetDlgItem(main, kToolBarEditorId), &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (verb == L"rect" && argc > 2) {
        const std::wstring pane = argv[2];
        const int id = pane == L"tree"     ? kNavigationId
                       : pane == L"macros" ? kListMacrosId
                                           : kListHotKeysId;
        RECT r{};
        GetWindowRect(GetDlgItem(main, id), &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    if (verb == L"panes") {
        const auto size = [&](int id) {
            RECT r{};
            GetWindowRect(GetDlgItem(main, id), &r);
            return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
        };
        std::printf("tree=%s macros=%s hotkeys=%s\n", size(kNavigationId).c_str(),
                    size(kListMacrosId).c_str(), size(kListHotKeysId).c_str());
        return 0;
    }
    if (verb == L"shown-beside-tree") {
        // Every control of the window but the tree that is shown: none in compact mode.
        int shown = 0;
        for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            shown += c != GetDlgItem(main, kNavigationId) && IsWindowVisible(c) ? 1 : 0;
        }
        std::printf("%d\n", shown);
        return 0;
    }
    if (verb == L"menu") {
        if (argc < 3) {
            return 2;
        }
        const std::wstring item = argv[2];
        if (item != L"options" && item != L"about") {
            return 2;
        }
        const MainCommand command = item == L"options" ? MainCommand::Options : MainCommand::About;
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(MenuIdOf(command), 0), 0);
        std::printf("ok\n");
        return 0;
    }
    if (verb == L"tray-click") {
        PostMessageW(main, kTrayCallbackMessage, 1, WM_LBUTTONUP);
    } else if (verb == L"tray-menu") {
        PostMessageW(main, kTrayCallbackMessage, 1, WM_RBUTTONUP);
    } else if (verb == L"close") {
        PostMessageW(main, WM_CLOSE, 0, 0);
    } else if (verb == L"exit") {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(MenuIdOf(MainCommand::Exit), 0), 0);
    } else {
        return 2;
    }
    std::printf("ok\n");
    return 0;
}
