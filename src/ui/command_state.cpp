#include "ui/command_state.h"

namespace tw {

CommandStates ComputeCommandStates(const CommandStateInputs& in) {
    CommandStates s;
    s.navAddFolder = in.fullMode;
    s.navAddReply = in.fullMode;
    if (in.selection == SelectionKind::None) {
        // Save All keeps its state; everything else of the selection is off.
        s.editorForceSave = in.forceSaveWas;
        return s;
    }
    s.navDelete = in.fullMode;
    s.editorForceSave = in.nameModified || in.contentModified;
    s.nameControls = true;
    if (in.selection == SelectionKind::Folder) {
        return s;
    }
    s.macroControls = true;
    s.hotKeyControls = in.hotKeyChecked;
    s.editorToolbar = true;
    s.editorCopyCut = in.editorFocused && in.editorSelectionLength >= 1;
    s.editorPaste = in.editorFocused && in.editorCanPaste;
    s.editorUndo = in.editorFocused && in.editorCanUndo;
    s.editorRedo = in.editorFocused && in.editorCanRedo;
    s.editorSelectAll = in.editorFocused;
    s.editorCopyEntire = true;
    s.editorInLastActive = in.lastActiveWindowAlive;
    s.editor = true;
    return s;
}

bool CommandAvailable(const CommandStates& states, MainCommand command) {
    switch (command) {
    case MainCommand::NavAddFolder:
        return states.navAddFolder;
    case MainCommand::NavAddReply:
        return states.navAddReply;
    case MainCommand::NavDelete:
        return states.navDelete;
    case MainCommand::EditorForceSave:
        return states.editorForceSave;
    case MainCommand::EditorCut:
    case MainCommand::EditorCopy:
        return states.editorCopyCut;
    case MainCommand::EditorPaste:
        return states.editorPaste;
    case MainCommand::EditorUndo:
        return states.editorUndo;
    case MainCommand::EditorRedo:
        return states.editorRedo;
    case MainCommand::EditorSelectAll:
        return states.editorSelectAll;
    case MainCommand::EditorCopyEntire:
        return states.editorCopyEntire;
    case MainCommand::EditorInLastActive:
        return states.editorInLastActive;
    default:
        return true;
    }
}

} // namespace tw
