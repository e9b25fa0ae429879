#pragma once
// Which commands and controls of the main window are available: decided in one place, at idle
// time, from the state of the moment. It sets enabled states and nothing else.
#include "ui/main_commands.h"

namespace tw {

enum class SelectionKind { None, Folder, Reply };

struct CommandStateInputs {
    bool fullMode = true;
    SelectionKind selection = SelectionKind::None;
    bool nameModified = false;
    bool contentModified = false;
    bool hotKeyChecked = false; // CheckBoxHotKey as it is now, committed or not
    bool editorFocused = false;
    int editorSelectionLength = 0;
    bool editorCanPaste = false;
    bool editorCanUndo = false;
    bool editorCanRedo = false;
    bool lastActiveWindowAlive = false; // LastActiveWindow set and still a window
    bool forceSaveWas = false;          // Save All's state before this refresh
};

struct CommandStates {
    bool navAddFolder = false;
    bool navAddReply = false;
    bool navDelete = false;
    bool editorForceSave = false;
    bool nameControls = false;   // LabelName, EditName
    bool macroControls = false;  // LabelMacro, EditMacro, CheckBoxHotKey
    bool hotKeyControls = false; // LabelHotKey, CheckBoxShift, LabelPlus, ComboBoxKey
    bool editorToolbar = false;  // ToolBarEditor and its font, colour, style, alignment,
                                 // indent and insertion controls
    bool editorCopyCut = false;  // EditorCopy, EditorCut
    bool editorPaste = false;
    bool editorUndo = false;
    bool editorRedo = false;
    bool editorSelectAll = false;
    bool editorCopyEntire = false;
    bool editorInLastActive = false;
    bool editor = false;
    bool operator==(const CommandStates&) const = default;
};

CommandStates ComputeCommandStates(const CommandStateInputs& in);

// A command whose action is disabled does nothing, whatever sent it (menu, shortcut, button).
// Commands without an action state are always available.
bool CommandAvailable(const CommandStates& states, MainCommand command);

// Applies the states to the real controls and actions.
class CommandStateView {
public:
    virtual ~CommandStateView() = default;
    virtual void ApplyCommandStates(const CommandStates& states) = 0;
};

} // namespace tw
