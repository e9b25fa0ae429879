#pragma once
// The main window's editing side over Win32: the tree buttons, Save All, the property bar and the
// editor, the tree view's editing events, Tab through the window, and the command states shown
// on controls and menu items. The controls' notifications come back here from the main window.
#include "ui/main_commands.h"
#include "ui/textwright_form.h"
#include "platform/win32/window_base.h"
#include "ui/win32/button_hints.h"
#include "ui/win32/control_hooks.h"
#include "ui/win32/editor_toolbar.h"
#include "ui/win32/formatting_toolbar_view.h"
#include "ui/win32/property_bar_controls.h"
#include "ui/win32/rich_editor.h"
#include "ui/win32/rich_formatting.h"
#include "ui/win32/tree_view_editing.h"

#include <functional>
#include <memory>
#include <vector>

#include <windows.h>

namespace tw::win32 {

// The delivery buttons of PanelBottomBar.
inline constexpr int kButInCBId = CommandIdOf(MainCommand::EditorCopyEntire);
inline constexpr int kButInLastWndId = CommandIdOf(MainCommand::EditorInLastActive);

struct EditingPaneControls {
    HWND window;
    HWND navigation;
    HWND listMacros;
    HWND listHotKeys;
    HFONT font;
    // The tree's echoes, drags and no-drop cursor.
    TreeEditingEvents tree;
};

class EditingPane : public CommandStateView, public EditingEventsView {
public:
    explicit EditingPane(EditingPaneControls controls);
    EditingPane(const EditingPane&) = delete;
    EditingPane& operator=(const EditingPane&) = delete;

    PropertyBarControls& Bar() { return bar_; }
    EditorToolbar& Toolbar() { return *toolbar_; }
    RichEditFormatting& Formats() { return *formats_; }
    FormattingToolbarControls& FormattingControls() { return *formatting_; }
    RichEditor& Editor() { return *editor_; }
    TreeViewEditing& Tree() { return *tree_; }
    // The delivery buttons of PanelBottomBar, on which the insertions dialog centres.
    HWND ButInCB() const { return butInCB_; }
    HWND ButInLastWnd() const { return butInLastWnd_; }
    // By the form: after FormCreate, and with nulls before it frees the library.
    void ConnectHandlers(LibraryEditing* editing, FormattingToolbar* formatting) override;

    // A WM_COMMAND from the pane's controls; false for a command's button, which sends its
    // command's id, and for what is not the pane's.
    bool OnCommand(WPARAM wp, LPARAM lp);
    bool OnNotify(const NMHDR& header, LRESULT& result);
    // Keys the window's accelerators must leave alone (the in-place editor is open).
    bool WantsKeysItself() const { return tree_->EditingLabel(); }

    // Fills the three panes' rectangles.
    void Layout(const RECT& navButtons, const RECT& bottomBar, const RECT& editorPane, int dpi);
    void SetFont(HFONT font);

    void ApplyCommandStates(const CommandStates& states) override;

private:
    // A command's push button with its 16 x 16 picture, or with `text` where it has none.
    HWND MakeButton(MainCommand command, const wchar_t* text = nullptr);

    EditingPaneControls c_;
    std::unique_ptr<ButtonHints> hints_;
    LibraryEditing* editing_ = nullptr;
    PropertyBarControls bar_;
    std::unique_ptr<EditorToolbar> toolbar_;
    std::unique_ptr<RichEditor> editor_;
    std::unique_ptr<RichEditFormatting> formats_;
    std::unique_ptr<FormattingToolbarControls> formatting_;
    FormattingToolbar* handlers_ = nullptr;
    int dpi_ = 0;
    std::unique_ptr<TreeViewEditing> tree_;
    TabOrder tabOrder_;
    HWND butAddFolder_ = nullptr, butAddReply_ = nullptr, butDelete_ = nullptr;
    HWND butForceSave_ = nullptr;
    HWND butInCB_ = nullptr, butInLastWnd_ = nullptr;
    std::vector<Reflection> reflections_;
};

} // namespace tw::win32
