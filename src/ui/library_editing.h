#pragma once
// Editing the library in the main window: the tree commands, the property bar, the editor's
// pending edits and the idle-time command states, composed over one TRepList and the window's
// ports. The main window forwards each control event to one handler here.
//
// Every handler is a command boundary: a failed disk step ends it and is shown here, once,
// through the standard error report (ShowFailure); nothing is rolled back.
#include "app/error_report.h"
#include "library/library_error.h"
#include "ui/library_failure.h"
#include "library/rep_list.h"
#include "platform/message_boxes.h"
#include "ui/command_state.h"
#include "ui/editing_ports.h"
#include "ui/navigation_commands.h"
#include "ui/pending_edits.h"
#include "ui/property_bar.h"
#include "ui/reply_commit.h"

#include <string>

namespace tw {

struct LibraryEditingPorts {
    PropertyBarView& bar;
    RichEditorPort& editor;
    NavigationView& view;
    MessageBoxes& boxes;
    ErrorReportPort& errors;
    CommandStateView& states;
};

class LibraryEditing {
public:
    LibraryEditing(TRepList& list, LibraryEditingPorts ports);
    LibraryEditing(const LibraryEditing&) = delete;
    LibraryEditing& operator=(const LibraryEditing&) = delete;

    // --- commands; false when one ended with an error ---
    bool NavAddFolderExecute() { return Shown(navigation_.NavAddFolderExecute()); }
    bool NavAddReplyExecute() { return Shown(navigation_.NavAddReplyExecute()); }
    bool NavDeleteExecute() { return Shown(navigation_.NavDeleteExecute()); }
    bool EditorForceSaveExecute() { return Shown(bar_.EditorForceSaveExecute()); }
    // For the moments outside this class (exit, delivery, expansion): the caller decides how a
    // failure is shown.
    LibraryResult<> CommitCurrentReply(CommitMoment moment) {
        return committer_.CommitCurrentReply(moment);
    }

    // --- tree events ---
    void NavigationChanging() { navigation_.NavigationChanging(); }
    void NavigationChange(TreeNode* node) {
        RunReported(ports_.errors, [&] { navigation_.NavigationChange(node); });
    }
    // A user's selection from the core's side (both of the above).
    void SelectNode(TreeNode* node) {
        RunReported(ports_.errors, [&] { navigation_.SelectNode(node); });
    }
    bool NavigationEdited(TreeNode* node, const std::string& text);
    // A typed name that the library's code page cannot hold exactly (given in UTF-8).
    void NavigationEditRefused(const std::string& name) {
        ports_.errors.ShowErrorReport(UnstorableNameMessage(name));
    }
    bool NavigationDragOver(TreeNode* target, int y, int height, bool fromTree) {
        return navigation_.NavigationDragOver(target, y, height, fromTree);
    }
    void NavigationDragDrop(TreeNode* target) { Shown(navigation_.NavigationDragDrop(target)); }
    static NodeImages NavigationGetImageIndex(const TreeNode* node, bool expanded) {
        return NavigationCommands::NavigationGetImageIndex(node, expanded);
    }

    // --- property bar and editor ---
    void EditNameChange() { bar_.EditNameChange(); }
    void EditMacroChange() { bar_.EditMacroChange(); }
    void EditorChange() { bar_.EditorChange(); }
    // Focus entered the Name, Macro or key field, the editor, or the font boxes.
    void EditNameEnter() { bar_.CommitOnEnter(); }
    void EditMacroEnter() { bar_.CommitOnEnter(); }
    void ComboBoxKeyEnter() { bar_.CommitOnEnter(); }
    void EditorEnter() { bar_.CommitOnEnter(); }
    void FontNameEnter() { bar_.CommitOnEnter(); }
    void FontSizeEnter() { bar_.CommitOnEnter(); }
    // The application stops being the active one: the edits of the moment are written.
    void ApplicationDeactivate() { bar_.CommitOnEnter(); }
    bool EditNameKeyPress(char key);
    bool EditMacroKeyPress(char key);
    void ComboBoxKeyChange() { Shown(bar_.ComboBoxKeyChange()); }
    void CheckBoxHotKeyMouseUp(bool leftButton) { Shown(bar_.CheckBoxHotKeyMouseUp(leftButton)); }
    void CheckBoxShiftMouseUp(bool leftButton) { Shown(bar_.CheckBoxShiftMouseUp(leftButton)); }
    void ListMacrosClick(int row) {
        RunReported(ports_.errors, [&] { bar_.ListMacrosClick(row); });
    }
    void ListHotKeysClick(int row) {
        RunReported(ports_.errors, [&] { bar_.ListHotKeysClick(row); });
    }

    // Replaces the editor's selection as the user typing would: the reply counts as changed and
    // is saved like typed text. Only a selected reply's body can be edited.
    void EditorReplaceSelection(const std::string& text);

    // --- idle time ---
    void ActionMainFormUpdate(bool fullMode, bool lastActiveWindowAlive);

    // As the last idle-time refresh decided; nothing is available before the first one.
    bool CommandAvailable(MainCommand command) const {
        return tw::CommandAvailable(states_, command);
    }

    const PendingEdits& Flags() const { return flags_; }
    TRepList& Library() { return list_; }

private:
    SelectionKind CurrentSelection() const;
    template <class T> bool Shown(const LibraryResult<T>& result) {
        return ShowFailure(ports_.errors, result);
    }

    TRepList& list_;
    LibraryEditingPorts ports_;
    PendingEdits flags_;
    ReplyCommitter committer_;
    NavigationCommands navigation_;
    PropertyBar bar_;
    CommandStates states_;
};

} // namespace tw
