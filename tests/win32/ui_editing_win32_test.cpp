// The editing adapters against real controls: the rich editor's RTF in and out, the tree view's
// in-place edit and drag reaching the handlers, and the property bar's key filter and boxes.
#include "fakes/recording_message_boxes.h"
#include "fakes/temp_dir.h"
#include "library/rep_list.h"
#include "platform/win32/ansi_path.h"
#include "ui/key_table.h"
#include "ui/library_editing.h"
#include "ui/win32/property_bar_controls.h"
#include "ui/win32/rich_editor.h"
#include "ui/win32/tree_view_editing.h"
#include "win32/clipboard_test_support.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <memory>
#include <string>

namespace tw::win32 {
namespace {

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

// The test's stand-in for the main window's tree mirror: rebuilds the view on every change.
class SimpleMirror : public TreeObserver {
public:
    SimpleMirror(HWND tree, ReplyTree& model) : tree_(tree), model_(model) {
        model.SetObserver(this);
        Rebuild();
    }
    ~SimpleMirror() override { model_.SetObserver(nullptr); }
    bool echoing = false;

    void Rebuild() {
        echoing = true;
        TreeView_DeleteAllItems(tree_);
        for (TreeNode* n = model_.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            TVINSERTSTRUCTW is{};
            is.hParent =
                n->Parent() ? reinterpret_cast<HTREEITEM>(n->Parent()->ViewTag()) : TVI_ROOT;
            is.hInsertAfter = TVI_LAST;
            const std::wstring text = AnsiToWide(n->Caption());
            is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            is.item.pszText = const_cast<wchar_t*>(text.c_str());
            is.item.lParam = reinterpret_cast<LPARAM>(n);
            is.item.iImage = is.item.iSelectedImage = I_IMAGECALLBACK;
            n->SetViewTag(reinterpret_cast<std::uintptr_t>(TreeView_InsertItem(tree_, &is)));
        }
        for (TreeNode* n = model_.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n)) {
            TreeView_Expand(tree_, reinterpret_cast<HTREEITEM>(n->ViewTag()), TVE_EXPAND);
        }
        TreeView_SelectItem(tree_, reinterpret_cast<HTREEITEM>(
                                       model_.Selected() ? model_.Selected()->ViewTag() : 0));
        echoing = false;
    }
    void NodeInserted(TreeNode*) override { Rebuild(); }
    void NodeRemoving(TreeNode* node) override {
        echoing = true;
        TreeView_DeleteItem(tree_, reinterpret_cast<HTREEITEM>(node->ViewTag()));
        echoing = false;
    }
    void NodeMoved(TreeNode*) override { Rebuild(); }
    void CaptionChanged(TreeNode*) override { Rebuild(); }
    void SelectionChanged(TreeNode*) override { Rebuild(); }
    void UpdateBegun() override {}
    void UpdateEnded() override { Rebuild(); }

private:
    HWND tree_;
    ReplyTree& model_;
};

class NoStates : public CommandStateView {
public:
    void ApplyCommandStates(const CommandStates&) override {}
};
class Errors : public ErrorReportPort {
public:
    std::vector<std::string> reports;
    void ShowErrorReport(const std::string& text) override { reports.push_back(text); }
};

// A top-level window holding a tree view, the property bar and the editor over a library in a
// temporary folder, wired the way the main window wires them.
class EditingWindow : public ::testing::Test {
protected:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<EditingWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && msg == WM_NOTIFY) {
            const auto& header = *reinterpret_cast<const NMHDR*>(lp);
            LRESULT result = 0;
            if (self->treeEditing && self->treeEditing->OnNotify(header, result)) {
                return result;
            }
            if (header.code == TVN_SELCHANGEDW && !self->mirror->echoing) {
                const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
                self->editing->NavigationChange(self->treeEditing->NodeOf(change.itemNew.hItem));
            }
            return 0;
        }
        if (self && msg == WM_COMMAND) {
            if (reinterpret_cast<HWND>(lp) == self->editorHwnd && HIWORD(wp) == EN_CHANGE) {
                ++self->editorChanges;
                self->editing->EditorChange();
            } else {
                self->bar.OnCommand(wp, lp);
            }
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"EditingTestWindow";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, L"EditingTestWindow", L"editing", WS_OVERLAPPEDWINDOW, 0, 0,
                                 800, 600, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(window, nullptr);
        tree = CreateWindowExW(0, WC_TREEVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | TVS_EDITLABELS | TVS_HASBUTTONS |
                                   TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                               0, 40, 300, 400, window, nullptr, wc.hInstance, nullptr);
        editorHwnd = RichEditor::Create(window, 400);
        ASSERT_NE(editorHwnd, nullptr);
        MoveWindow(editorHwnd, 310, 40, 400, 400, FALSE);
        editor = std::make_unique<RichEditor>(editorHwnd);
        bar.Create(window, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), nullptr);
        bar.Layout(0, 5, 96);
        treeEditing = std::make_unique<TreeViewEditing>(
            tree, TreeEditingEvents{.echoing = [this] { return mirror && mirror->echoing; },
                                    .dragStarted = [this] { ++dragsStarted; },
                                    .dragEnded = [this](POINT p) { dragEnds.push_back(p); },
                                    .noDropCursor = {}});
        ShowWindow(window, SW_SHOW);
    }
    void TearDown() override {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        treeEditing.reset();
        DestroyWindow(window);
        mirror.reset();
        editing.reset();
    }

    void Load(const std::vector<std::pair<std::string, std::string>>& files) {
        for (const auto& [path, bytes] : files)
            temp.Put(path, bytes);
        list.SetLibraryRoot(temp.Root());
        LoadReplyLibrary(list);
        editing = std::make_unique<LibraryEditing>(
            list, LibraryEditingPorts{bar, *editor, *treeEditing, boxes, errors, states});
        bar.SetEditing(editing.get());
        treeEditing->SetEditing(editing.get());
        mirror = std::make_unique<SimpleMirror>(tree, treeModel);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    TreeNode* Node(const std::string& caption) {
        for (TreeNode* n = treeModel.FirstNode(); n; n = ReplyTree::NextInDisplayOrder(n))
            if (n->Caption() == caption)
                return n;
        return nullptr;
    }
    // A user's click on a node: the tree view's own notifications run the handlers.
    void Click(const std::string& caption) {
        TreeView_SelectItem(tree, reinterpret_cast<HTREEITEM>(Node(caption)->ViewTag()));
    }
    POINT CentreOf(TreeNode* node) {
        RECT rc{};
        TreeView_GetItemRect(tree, reinterpret_cast<HTREEITEM>(node->ViewTag()), &rc, TRUE);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    fakes::TempDir temp;
    fakes::RecordingMessageBoxes boxes;
    ReplyTree treeModel;
    ListModel hotKeyBox, macroBox;
    TRepList list{treeModel, hotKeyBox, macroBox, &boxes};
    HWND window = nullptr, tree = nullptr, editorHwnd = nullptr;
    std::unique_ptr<RichEditor> editor;
    PropertyBarControls bar;
    std::unique_ptr<TreeViewEditing> treeEditing;
    int dragsStarted = 0;
    std::vector<POINT> dragEnds;
    std::unique_ptr<SimpleMirror> mirror;
    std::unique_ptr<LibraryEditing> editing;
    NoStates states;
    Errors errors;
    int editorChanges = 0;
};

const std::vector<std::pair<std::string, std::string>> kLibrary = {
    {"index.sub", "REPLY_1?One\r\nFOLDER_1?Box\r\n"},
    {"1.rep", "one\r\n\r\n{\\rtf1\\ansi hello \\b world\\b0}\r\n"},
    {"1/index.sub", "REPLY_1?Inner\r\nREPLY_2?Last\r\n"},
    {"1/1.rep", "\r\n\r\njust plain text\r\n"},
    {"1/2.rep", "\r\n\r\n"}};

TEST_F(EditingWindow, EditorTakesRtfAndFallsBackToPlainText) {
    Load(kLibrary);
    Click("One");
    EXPECT_EQ(TextOf(editorHwnd).substr(0, 11), L"hello world");
    const std::vector<std::string> out = editor->BodyLines();
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out.front().rfind("{\\rtf", 0), 0u) << out.front();
    std::string joined;
    for (const auto& l : out)
        joined += l + "\n";
    EXPECT_NE(joined.find("world"), std::string::npos);
    EXPECT_NE(joined.find("\\b"), std::string::npos) << joined;
    EXPECT_FALSE(editing->Flags().ContentModified);

    Click("Inner");
    EXPECT_EQ(TextOf(editorHwnd).substr(0, 15), L"just plain text");
    Click("Last");
    EXPECT_EQ(TextOf(editorHwnd), L"");
}

TEST_F(EditingWindow, EditorChangeRaisesTheFlagAndItsRtfReachesTheFile) {
    Load(kLibrary);
    Click("Last");
    const int before = editorChanges;
    SendMessageW(editorHwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed words"));
    EXPECT_GT(editorChanges, before);
    EXPECT_TRUE(editing->Flags().ContentModified);
    EXPECT_TRUE(editing->EditorForceSaveExecute());
    const std::string file = temp.Get("1/2.rep");
    EXPECT_EQ(file.rfind("\r\n\r\n{\\rtf", 0), 0u) << file;
    EXPECT_NE(file.find("typed words"), std::string::npos) << file;
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
    // Reloaded, it shows the same text.
    Click("One");
    Click("Last");
    EXPECT_EQ(TextOf(editorHwnd).substr(0, 11), L"typed words");
}

TEST_F(EditingWindow, CopyEntirePutsRichAndPlainTextAndKeepsTheSelection) {
    Load(kLibrary);
    Click("One");
    CHARRANGE sel{2, 4};
    SendMessageW(editorHwnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    editor->CopyEntireToClipboard();
    CHARRANGE after{};
    SendMessageW(editorHwnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(after.cpMin, 2);
    EXPECT_EQ(after.cpMax, 4);
    EXPECT_EQ(editor->EditorSelectionLength(), 2);

    const std::vector<unsigned char> bytes =
        test::ClipboardBytes(RegisterClipboardFormatW(L"Rich Text Format"));
    const std::string rtf(bytes.begin(), bytes.end());
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u) << rtf;
    EXPECT_NE(rtf.find("\\b"), std::string::npos) << "the bold word keeps its format: " << rtf;
    EXPECT_NE(rtf.find("world"), std::string::npos) << rtf;
    EXPECT_EQ(test::ClipboardText().substr(0, 11), L"hello world")
        << "the whole text, not the selection";
}

TEST_F(EditingWindow, InPlaceEditRenamesThroughTheHandler) {
    Load(kLibrary);
    Click("Inner");
    treeEditing->BeginEditCaption(Node("Inner"));
    HWND edit = TreeView_GetEditControl(tree);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"Renamed");
    TreeView_EndEditLabelNow(tree, FALSE);
    EXPECT_EQ(temp.Get("1/index.sub"), "REPLY_1?Renamed\r\nREPLY_2?Last\r\n");
    EXPECT_EQ(TextOf(bar.EditName()), L"Renamed");
    ASSERT_NE(Node("Renamed"), nullptr);

    // An emptied caption changes nothing. (Wine passes the text of a cancelled edit too, so
    // cancelling is not checked here.)
    treeEditing->BeginEditCaption(Node("Renamed"));
    SetWindowTextW(TreeView_GetEditControl(tree), L"");
    TreeView_EndEditLabelNow(tree, FALSE);
    ASSERT_NE(Node("Renamed"), nullptr);
    EXPECT_EQ(temp.Get("1/index.sub"), "REPLY_1?Renamed\r\nREPLY_2?Last\r\n");
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(EditingWindow, DragAndDropReachTheHandlers) {
    Load(kLibrary);
    Click("One");
    NMTREEVIEWW begin{};
    begin.hdr.hwndFrom = tree;
    begin.hdr.code = TVN_BEGINDRAGW;
    begin.itemNew.hItem = reinterpret_cast<HTREEITEM>(Node("Last")->ViewTag());
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin));
    EXPECT_TRUE(treeEditing->Dragging());
    EXPECT_EQ(treeModel.Selected(), Node("Last")); // the dragged node is the selected one
    const POINT target = CentreOf(Node("One"));
    SendMessageW(tree, WM_MOUSEMOVE, 0, MAKELPARAM(target.x, target.y));
    SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    EXPECT_FALSE(treeEditing->Dragging());
    EXPECT_EQ(temp.Get("index.sub"), "REPLY_2?Last\r\nREPLY_1?One\r\nFOLDER_1?Box\r\n");
    EXPECT_EQ(temp.Get("1/index.sub"), "REPLY_1?Inner\r\n");
    EXPECT_TRUE(temp.Exists("2.rep"));

    // A folder dropped into its own subtree is refused.
    Click("Box");
    begin.itemNew.hItem = reinterpret_cast<HTREEITEM>(Node("Box")->ViewTag());
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin));
    const POINT inside = CentreOf(Node("Inner"));
    SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
    EXPECT_EQ(temp.Get("index.sub"), "REPLY_2?Last\r\nREPLY_1?One\r\nFOLDER_1?Box\r\n");
    EXPECT_EQ(temp.Get("1/index.sub"), "REPLY_1?Inner\r\n");
}

// However the drag ends, its end is reported once, in screen coordinates: the release point
// for a button, the pointer's place for Esc and a lost capture.
TEST_F(EditingWindow, EveryEndOfADragIsReportedOnceAtItsScreenPoint) {
    Load(kLibrary);
    int& started = dragsStarted;
    std::vector<POINT>& ends = dragEnds;
    const struct {
        const char* how;
        UINT message;
        WPARAM key;
    } cases[] = {
        {"left button up", WM_LBUTTONUP, 0},
        {"right button up", WM_RBUTTONUP, 0},
        {"Esc", WM_KEYDOWN, VK_ESCAPE},
        {"capture lost", 0, 0},
    };
    for (const auto& c : cases) {
        started = 0;
        ends.clear();
        NMTREEVIEWW begin{};
        begin.hdr.hwndFrom = tree;
        begin.hdr.code = TVN_BEGINDRAGW;
        begin.itemNew.hItem = reinterpret_cast<HTREEITEM>(Node("Last")->ViewTag());
        SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin));
        const POINT at = CentreOf(Node("Last")); // a drop on itself moves nothing
        POINT expected = at;
        if (c.message == WM_KEYDOWN) {
            SendMessageW(tree, WM_KEYDOWN, c.key, 0);
        } else if (c.message != 0) {
            SendMessageW(tree, c.message, 0, MAKELPARAM(at.x, at.y));
        } else {
            SetCapture(window);
            ReleaseCapture();
        }
        if (c.message == WM_KEYDOWN || c.message == 0) {
            GetCursorPos(&expected);
        } else {
            ClientToScreen(tree, &expected);
        }
        SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y)); // after the end: nothing
        EXPECT_FALSE(treeEditing->Dragging()) << c.how;
        EXPECT_EQ(1, started) << c.how;
        ASSERT_EQ(1u, ends.size()) << c.how;
        EXPECT_EQ(expected.x, ends[0].x) << c.how;
        EXPECT_EQ(expected.y, ends[0].y) << c.how;
    }
    EXPECT_EQ(temp.Get("1/index.sub"), "REPLY_1?Inner\r\nREPLY_2?Last\r\n");
}

TEST_F(EditingWindow, TreePicturesFollowTheNodeKind) {
    Load(kLibrary);
    NMTVDISPINFOW info{};
    info.hdr.hwndFrom = tree;
    info.hdr.code = TVN_GETDISPINFOW;
    info.item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    info.item.hItem = reinterpret_cast<HTREEITEM>(Node("One")->ViewTag());
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.item.iImage, 2);
    EXPECT_EQ(info.item.iSelectedImage, 3);
    info.item.hItem = reinterpret_cast<HTREEITEM>(Node("Box")->ViewTag());
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.item.iImage, 1); // expanded by the mirror
}

TEST_F(EditingWindow, MacroFieldFiltersKeysAndEnterCommits) {
    Load(kLibrary);
    Click("Last");
    HWND macro = bar.EditMacro();
    for (wchar_t ch : std::wstring(L"a b(\x00E9x)\t")) {
        SendMessageW(macro, WM_CHAR, ch, 0);
    }
    EXPECT_EQ(TextOf(macro), L"ab(x)");
    SendMessageW(macro, WM_CHAR, L'\r', 0);
    EXPECT_EQ(TextOf(macro), L"ab(x)");
    EXPECT_EQ(temp.Get("1/2.rep").rfind("ab(x)\r\n\r\n{\\rtf", 0), 0u) << temp.Get("1/2.rep");

    // Another reply's macro: the message, nothing written.
    Click("Inner");
    SetWindowTextW(macro, L"AB(y)");
    SendMessageW(macro, WM_CHAR, L'\r', 0);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, kDuplicateMacroText);
    EXPECT_EQ(temp.Get("1/1.rep"), "\r\n\r\njust plain text\r\n");
}

TEST_F(EditingWindow, NameEnterAndHotKeyBoxClickCommit) {
    Load(kLibrary);
    Click("Inner");
    SetWindowTextW(bar.EditName(), L"Named");
    SendMessageW(bar.EditName(), WM_CHAR, L'\r', 0);
    EXPECT_EQ(temp.Get("1/index.sub"), "REPLY_1?Named\r\nREPLY_2?Last\r\n");

    bar.SetKeyIndex(KeyTableIndexOf('K'));
    RECT rc{};
    GetClientRect(bar.CheckBoxHotKey(), &rc);
    const LPARAM at = MAKELPARAM(rc.right / 4, rc.bottom / 2);
    SendMessageW(bar.CheckBoxHotKey(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(bar.CheckBoxHotKey(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(bar.HotKeyChecked());
    EXPECT_EQ(temp.Get("1/1.rep").rfind("\r\n0K\r\n{\\rtf", 0), 0u) << temp.Get("1/1.rep");

    // The key drop-down: a free key is assigned at once.
    bar.SetKeyIndex(KeyTableIndexOf('7'));
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kComboBoxKeyId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(bar.ComboBoxKey()));
    EXPECT_EQ(temp.Get("1/1.rep").rfind("\r\n07\r\n{\\rtf", 0), 0u) << temp.Get("1/1.rep");
}

} // namespace
} // namespace tw::win32
