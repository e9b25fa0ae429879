#include "ui/library_editing.h"

namespace tw {

LibraryEditing::LibraryEditing(TRepList& list, LibraryEditingPorts ports)
    : list_(list), ports_(ports), committer_(list, ports.bar, ports.editor, flags_, ports.boxes),
      navigation_(list, {ports.bar, ports.editor, ports.view, ports.boxes, ports.errors}, flags_,
                  committer_),
      bar_(list, ports.bar, ports.boxes, ports.errors, flags_, committer_, navigation_) {}

bool LibraryEditing::NavigationEdited(TreeNode* node, const std::string& text) {
    const LibraryResult<bool> renamed = navigation_.NavigationEdited(node, text);
    return Shown(renamed) && renamed.Value();
}

bool LibraryEditing::EditNameKeyPress(char key) {
    const LibraryResult<bool> passes = bar_.EditNameKeyPress(key);
    return Shown(passes) && passes.Value();
}

bool LibraryEditing::EditMacroKeyPress(char key) {
    const LibraryResult<bool> passes = bar_.EditMacroKeyPress(key);
    return Shown(passes) && passes.Value();
}

SelectionKind LibraryEditing::CurrentSelection() const {
    const TreeNode* node = list_.Tree.Selected();
    const TRep* rep = node ? node->Data() : nullptr;
    return !node                                           ? SelectionKind::None
           : (rep ? rep->IsFolder() : node->HasChildren()) ? SelectionKind::Folder
                                                           : SelectionKind::Reply;
}

void LibraryEditing::EditorReplaceSelection(const std::string& text) {
    if (CurrentSelection() != SelectionKind::Reply) {
        return;
    }
    ports_.editor.EditorReplaceSelection(text);
    // Not every control reports a programmatic change; the edit must count either way.
    bar_.EditorChange();
}

void LibraryEditing::ActionMainFormUpdate(bool fullMode, bool lastActiveWindowAlive) {
    CommandStateInputs in;
    in.fullMode = fullMode;
    in.selection = CurrentSelection();
    in.nameModified = flags_.NameModified;
    in.contentModified = flags_.ContentModified;
    in.hotKeyChecked = ports_.bar.HotKeyChecked();
    if (in.selection == SelectionKind::Reply) {
        in.editorFocused = ports_.editor.EditorHasFocus();
        if (in.editorFocused) {
            in.editorSelectionLength = ports_.editor.EditorSelectionLength();
            in.editorCanPaste = ports_.editor.EditorCanPaste();
            in.editorCanUndo = ports_.editor.EditorCanUndo();
            in.editorCanRedo = ports_.editor.EditorCanRedo();
        }
    }
    in.lastActiveWindowAlive = lastActiveWindowAlive;
    in.forceSaveWas = states_.editorForceSave;
    states_ = ComputeCommandStates(in);
    ports_.states.ApplyCommandStates(states_);
}

} // namespace tw
