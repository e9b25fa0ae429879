#pragma once
// The property bar's handlers: the Name and Macro fields, the Hot Key and Shift boxes, the key
// drop-down, clicks in the two index lists, and the moments that commit the selected reply.
//
// Handlers that commit at a moment of their own (focus changes, deactivation) show a failed
// write themselves; the key handlers and Save All return it to the command that runs them.
#include "app/error_report.h"
#include "library/rep_list.h"
#include "platform/message_boxes.h"
#include "ui/editing_ports.h"
#include "ui/navigation_commands.h"
#include "ui/pending_edits.h"
#include "ui/reply_commit.h"

namespace tw {

inline constexpr char kDuplicateMacroText[] =
    "That Macro is already assigned to another reply. Please, choose another macro string.";
inline constexpr char kDuplicateHotKeyText[] =
    "That HotKey is already assigned to another reply. Please, choose another key combination.";

class PropertyBar {
public:
    PropertyBar(TRepList& list, PropertyBarView& bar, MessageBoxes& boxes, ErrorReportPort& errors,
                PendingEdits& flags, ReplyCommitter& committer, NavigationCommands& navigation)
        : list_(list), bar_(bar), boxes_(boxes), errors_(errors), flags_(flags),
          committer_(committer), navigation_(navigation) {}

    void EditNameChange() { flags_.NameModified = true; }
    void EditMacroChange() { flags_.ContentModified = true; }
    void EditorChange() { flags_.ContentModified = true; }

    // Focus entered one of the fields that write the pending edits first; also the application
    // losing activation.
    void CommitOnEnter();

    // Both give whether the character reaches the field.
    LibraryResult<bool> EditNameKeyPress(char key);
    LibraryResult<bool> EditMacroKeyPress(char key);

    LibraryResult<> ComboBoxKeyChange();
    // After the box has toggled; only the left button counts.
    LibraryResult<> CheckBoxHotKeyMouseUp(bool leftButton) { return CheckBoxMouseUp(leftButton); }
    LibraryResult<> CheckBoxShiftMouseUp(bool leftButton) { return CheckBoxMouseUp(leftButton); }
    // Keeps the key drop-down on a combination no reply holds (the selected one's counts).
    void SelectFreeKey();

    // A row of the list was clicked (-1: none): its reply becomes the selected node.
    void ListMacrosClick(int row);
    void ListHotKeysClick(int row);

    LibraryResult<> EditorForceSaveExecute() { return committer_.CommitCurrentReply(); }

private:
    TRep* SelectedRep() const;
    LibraryResult<> CheckBoxMouseUp(bool leftButton);
    void SelectRep(TRep* rep);

    TRepList& list_;
    PropertyBarView& bar_;
    MessageBoxes& boxes_;
    ErrorReportPort& errors_;
    PendingEdits& flags_;
    ReplyCommitter& committer_;
    NavigationCommands& navigation_;
};

} // namespace tw
