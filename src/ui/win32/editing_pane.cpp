#include "ui/win32/editing_pane.h"

#include "ui/win32/main_menu.h"

#include <commctrl.h>

namespace tw::win32 {
namespace {

constexpr int kEditorId = 320;
constexpr int kButAddFolderId = 330;
constexpr int kButAddReplyId = 331;
constexpr int kButDeleteId = 332;
constexpr int kButForceSaveId = 333;

int Scale(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

} // namespace

EditingPane::EditingPane(EditingPaneControls controls) : c_(controls) {
    butAddFolder_ = MakeButton(L"+Fld", kButAddFolderId);
    butAddReply_ = MakeButton(L"+Rep", kButAddReplyId);
    butDelete_ = MakeButton(L"Del", kButDeleteId);
    butForceSave_ = MakeButton(L"Save", kButForceSaveId);
    bar_.Create(c_.window, c_.font, &tabOrder_);
    toolbar_ = std::make_unique<EditorToolbar>(c_.window, kToolBarEditorId);
    toolbar_->SetFont(c_.font);
    editor_ = std::make_unique<RichEditor>(RichEditor::Create(c_.window, kEditorId));
    SendMessageW(editor_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(c_.font), FALSE);
    tree_ = std::make_unique<TreeViewEditing>(c_.navigation);
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
    ApplyCommandStates(CommandStates{});
}

HWND EditingPane::MakeButton(const wchar_t* text, int id) {
    HWND b = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10,
                             10, c_.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(c_.font), FALSE);
    return b;
}

void EditingPane::SetEditing(LibraryEditing* editing, std::function<bool()> treeEchoing) {
    editing_ = editing;
    bar_.SetEditing(editing);
    tree_->SetEditing(editing);
    tree_->SetEchoCheck(std::move(treeEchoing));
}

void EditingPane::SetFont(HFONT font) {
    c_.font = font;
    for (HWND h :
         {butAddFolder_, butAddReply_, butDelete_, butForceSave_, bar_.EditName(), bar_.EditMacro(),
          bar_.CheckBoxHotKey(), bar_.CheckBoxShift(), bar_.ComboBoxKey()}) {
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    toolbar_->SetFont(font);
}

std::optional<MainCommand> EditingPane::OnCommand(WPARAM wp, LPARAM lp, bool& handled) {
    handled = true;
    HWND from = reinterpret_cast<HWND>(lp);
    if (from == butAddFolder_)
        return MainCommand::NavAddFolder;
    if (from == butAddReply_)
        return MainCommand::NavAddReply;
    if (from == butDelete_)
        return MainCommand::NavDelete;
    if (from == butForceSave_)
        return MainCommand::EditorForceSave;
    if (editor_ && from == editor_->Handle()) {
        if (HIWORD(wp) == EN_CHANGE && editing_)
            editing_->EditorChange();
        return std::nullopt;
    }
    if ((from == c_.listMacros || from == c_.listHotKeys) && HIWORD(wp) == LBN_SELCHANGE) {
        const int row = static_cast<int>(SendMessageW(from, LB_GETCURSEL, 0, 0));
        if (editing_) {
            from == c_.listMacros ? editing_->ListMacrosClick(row)
                                  : editing_->ListHotKeysClick(row);
        }
        return std::nullopt;
    }
    handled = bar_.OnCommand(wp, lp);
    return std::nullopt;
}

bool EditingPane::OnNotify(const NMHDR& header, LRESULT& result) {
    return toolbar_->OnNotify(header, result) || tree_->OnNotify(header, result);
}

void EditingPane::Layout(const RECT& navButtons, const RECT& bottomBar, const RECT& editorPane,
                         int dpi) {
    const int button = Scale(32, dpi), gap = Scale(4, dpi);
    int y = navButtons.top + gap;
    for (HWND b : {butAddFolder_, butAddReply_, butDelete_}) {
        MoveWindow(b, navButtons.left + gap, y, button, button, TRUE);
        y += button + gap;
    }
    MoveWindow(butForceSave_, bottomBar.left + gap, bottomBar.top + gap, button, button, TRUE);
    const int barHeight = bar_.Layout(editorPane.left + gap, editorPane.top + gap, dpi);
    // PanelBottomToolBars: the toolbar row between the property bar and the editor.
    const int toolbarTop = editorPane.top + barHeight + 2 * gap;
    const int top = toolbarTop + toolbar_->Layout(editorPane.left, toolbarTop,
                                                  editorPane.right - editorPane.left);
    MoveWindow(editor_->Handle(), editorPane.left, top, editorPane.right - editorPane.left,
               editorPane.bottom > top ? editorPane.bottom - top : 0, TRUE);
}

void EditingPane::ApplyCommandStates(const CommandStates& s) {
    EnableWindow(butAddFolder_, s.navAddFolder);
    EnableWindow(butAddReply_, s.navAddReply);
    EnableWindow(butDelete_, s.navDelete);
    EnableWindow(butForceSave_, s.editorForceSave);
    bar_.EnableControls(s.nameControls, s.macroControls, s.hotKeyControls);
    toolbar_->Enable(s.editorToolbar);
    EnableWindow(editor_->Handle(), s.editor);
    if (HMENU menu = GetMenu(c_.window)) {
        const std::pair<MainCommand, bool> items[] = {
            {MainCommand::NavAddFolder, s.navAddFolder},
            {MainCommand::NavAddReply, s.navAddReply},
            {MainCommand::NavDelete, s.navDelete},
            {MainCommand::EditorForceSave, s.editorForceSave}};
        for (const auto& [command, on] : items) {
            EnableMenuItem(menu, static_cast<UINT>(MenuIdOf(command)),
                           MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        }
    }
}

} // namespace tw::win32
