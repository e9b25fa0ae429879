#include "ui/win32/editing_pane.h"

#include "platform/dpi_scale.h"
#include "ui/win32/editor_keys.h"
#include "app/win32/resource_ids.h"
#include "platform/win32/ansi_path.h"
#include "ui/win32/main_menu.h"

#include <commctrl.h>
#include <richedit.h>

namespace tw::win32 {
namespace {

constexpr int kEditorId = 320;

int IconOf(CommandImage image) {
    switch (image) {
    case CommandImage::AddFolder:
        return TW_IDI_ADD_FOLDER;
    case CommandImage::AddReply:
        return TW_IDI_ADD_REPLY;
    case CommandImage::Delete:
        return TW_IDI_DELETE;
    case CommandImage::SaveAll:
        return TW_IDI_SAVE_ALL;
    default:
        return 0;
    }
}

} // namespace

EditingPane::EditingPane(EditingPaneControls controls) : c_(controls) {
    hints_ = std::make_unique<ButtonHints>(c_.window);
    butAddFolder_ = MakeButton(MainCommand::NavAddFolder);
    butAddReply_ = MakeButton(MainCommand::NavAddReply);
    butDelete_ = MakeButton(MainCommand::NavDelete);
    butForceSave_ = MakeButton(MainCommand::EditorForceSave);
    butInCB_ = MakeButton(MainCommand::EditorCopyEntire, L"Copy");
    butInLastWnd_ = MakeButton(MainCommand::EditorInLastActive, L"Paste");
    bar_.Create(c_.window, c_.font, &tabOrder_);
    toolbar_ = std::make_unique<EditorToolbar>(c_.window, kToolBarEditorId);
    toolbar_->SetFont(c_.font);
    editor_ = std::make_unique<RichEditor>(RichEditor::Create(c_.window, kEditorId));
    SendMessageW(editor_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(c_.font), FALSE);
    formats_ = std::make_unique<RichEditFormatting>(editor_->Handle());
    dpi_ = static_cast<int>(GetDpiForWindow(c_.window));
    formatting_ = std::make_unique<FormattingToolbarControls>(toolbar_->Handle(), editor_->Handle(),
                                                              dpi_, c_.font);
    formatting_->SetBoxEnter([this](bool fontSize) {
        if (editing_)
            fontSize ? editing_->FontSizeEnter() : editing_->FontNameEnter();
    });
    // An edit shortcut runs its menu command, so a disabled command's key does nothing.
    HookEditorShortcuts(editor_->Handle(), [this](MainCommand command) {
        SendMessageW(c_.window, WM_COMMAND, MAKEWPARAM(MenuIdOf(command), 0), 0);
    });
    tree_ = std::make_unique<TreeViewEditing>(c_.navigation, c_.tree);
    SetWindowLongPtrW(c_.navigation, GWL_STYLE,
                      GetWindowLongPtrW(c_.navigation, GWL_STYLE) | TVS_EDITLABELS);
    // Reading order: the tree and the two lists beside it, then the property bar, then the editor.
    tabOrder_.Set({c_.navigation, c_.listMacros, c_.listHotKeys, bar_.EditName(), bar_.EditMacro(),
                   bar_.CheckBoxHotKey(), bar_.CheckBoxShift(), bar_.ComboBoxKey(),
                   editor_->Handle()});
    auto tab = [this](HWND self) {
        return [this, self](bool backwards) { return tabOrder_.Move(self, backwards); };
    };
    HookControl(c_.navigation, {nullptr, nullptr, nullptr, tab(c_.navigation)});
    HookControl(c_.listMacros, {nullptr, nullptr, nullptr, tab(c_.listMacros)});
    HookControl(c_.listHotKeys, {nullptr, nullptr, nullptr, tab(c_.listHotKeys)});
    HookControl(editor_->Handle(), {[this] {
                                        if (editing_)
                                            editing_->EditorEnter();
                                    },
                                    nullptr, nullptr, tab(editor_->Handle())});
    // The toolbar's hints come from its tooltip, which reports to the toolbar's parent.
    HWND hints = reinterpret_cast<HWND>(SendMessageW(toolbar_->Handle(), TB_GETTOOLTIPS, 0, 0));
    for (HWND control :
         {editor_->Handle(), c_.listMacros, c_.listHotKeys, toolbar_->Handle(), hints}) {
        if (control) {
            reflections_.push_back(ReflectCommand(
                control, [this](WPARAM wp, LPARAM lp) { return OnCommand(wp, lp); }));
            reflections_.push_back(ReflectNotify(
                control, [this](const NMHDR& h, LRESULT& r) { return OnNotify(h, r); }));
        }
    }
    ApplyCommandStates(CommandStates{});
}

HWND EditingPane::MakeButton(MainCommand command, const wchar_t* text) {
    const CommandRow& row = RowOf(command);
    const std::wstring hint = AnsiToWide(row.hint);
    const int iconId = IconOf(row.image);
    HWND b = CreateWindowExW(0, L"BUTTON", text ? text : hint.c_str(),
                             WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10, 10, c_.window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(c_.font), FALSE);
    // The caption stays for screen readers; the picture shows, the hint names it.
    if (iconId != 0) {
        SetButtonIcon(b, iconId, static_cast<int>(GetDpiForWindow(c_.window)));
    }
    hints_->Add(b, hint.c_str()); // the tooltip keeps a copy
    return b;
}

void EditingPane::ConnectHandlers(LibraryEditing* editing, FormattingToolbar* formatting) {
    editing_ = editing;
    bar_.SetEditing(editing);
    tree_->SetEditing(editing);
    handlers_ = formatting;
    formatting_->SetHandlers(formatting);
}

void EditingPane::SetFont(HFONT font) {
    c_.font = font;
    for (HWND h : {butAddFolder_, butAddReply_, butDelete_, butForceSave_, butInCB_, butInLastWnd_,
                   bar_.EditName(), bar_.EditMacro(), bar_.CheckBoxHotKey(), bar_.CheckBoxShift(),
                   bar_.ComboBoxKey()}) {
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    toolbar_->SetFont(font);
}

bool EditingPane::OnCommand(WPARAM wp, LPARAM lp) {
    HWND from = reinterpret_cast<HWND>(lp);
    if (from == toolbar_->Handle() && formatting_->OnCommand(LOWORD(wp)))
        return true;
    if (editor_ && from == editor_->Handle()) {
        if (HIWORD(wp) == EN_CHANGE && editing_)
            editing_->EditorChange();
        return true;
    }
    if ((from == c_.listMacros || from == c_.listHotKeys) && HIWORD(wp) == LBN_SELCHANGE) {
        const int row = static_cast<int>(SendMessageW(from, LB_GETCURSEL, 0, 0));
        if (editing_) {
            from == c_.listMacros ? editing_->ListMacrosClick(row)
                                  : editing_->ListHotKeysClick(row);
        }
        return true;
    }
    return bar_.OnCommand(wp, lp);
}

bool EditingPane::OnNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == editor_->Handle() && header.code == EN_SELCHANGE) {
        if (handlers_)
            handlers_->SelectionChange();
        return true;
    }
    return formatting_->OnNotify(header, result) || toolbar_->OnNotify(header, result) ||
           tree_->OnNotify(header, result);
}

void EditingPane::Layout(const RECT& navButtons, const RECT& bottomBar, const RECT& editorPane,
                         int dpi) {
    const int button = ScaleForDpi(32, dpi), gap = ScaleForDpi(4, dpi);
    int y = navButtons.top + gap;
    for (HWND b : {butAddFolder_, butAddReply_, butDelete_}) {
        MoveWindow(b, navButtons.left + gap, y, button, button, TRUE);
        y += button + gap;
    }
    y = bottomBar.top + gap;
    for (HWND b : {butForceSave_, butInCB_, butInLastWnd_}) {
        MoveWindow(b, bottomBar.left + gap, y, button, button, TRUE);
        y += button + gap;
    }
    const int barHeight = bar_.Layout(editorPane.left + gap, editorPane.top + gap, dpi);
    // PanelBottomToolBars: the toolbar row between the property bar and the editor.
    const int toolbarTop = editorPane.top + barHeight + 2 * gap;
    if (dpi != dpi_) {
        dpi_ = dpi;
        formatting_->SetDpi(dpi);
    }
    const int top = toolbarTop + toolbar_->Layout(editorPane.left, toolbarTop,
                                                  editorPane.right - editorPane.left);
    MoveWindow(editor_->Handle(), editorPane.left, top, editorPane.right - editorPane.left,
               editorPane.bottom > top ? editorPane.bottom - top : 0, TRUE);
    // A resized window shows the caret's attributes again.
    if (handlers_)
        handlers_->SelectionChange();
}

void EditingPane::ApplyCommandStates(const CommandStates& s) {
    // A command's button is enabled as its menu item.
    for (HWND b :
         {butAddFolder_, butAddReply_, butDelete_, butForceSave_, butInCB_, butInLastWnd_}) {
        const auto command = CommandOfMenuId(GetDlgCtrlID(b));
        EnableWindow(b, command && CommandAvailable(s, *command));
    }
    bar_.EnableControls(s.nameControls, s.macroControls, s.hotKeyControls);
    toolbar_->Enable(s.editorToolbar);
    formatting_->ApplyStates(s);
    EnableWindow(editor_->Handle(), s.editor);
    if (HMENU menu = GetMenu(c_.window)) {
        for (const CommandRow& row : MainCommandRows()) {
            EnableMenuItem(menu, static_cast<UINT>(row.id),
                           MF_BYCOMMAND |
                               (CommandAvailable(s, row.command) ? MF_ENABLED : MF_GRAYED));
        }
    }
}

} // namespace tw::win32
