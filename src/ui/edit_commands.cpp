#include "ui/edit_commands.h"

#include <cctype>

namespace tw {
namespace {

constexpr EditAction kActions[] = {
    {EditCommand::Cut, "Cut", "Cut", {'X', false}},
    {EditCommand::Copy, "Copy", "Copy", {'C', false}},
    {EditCommand::Paste, "Paste", "Paste", {'V', false}},
    {EditCommand::Undo, "Undo", "Undo", {'Z', false}},
    {EditCommand::Redo, "Redo", "Redo", {'Z', true}},
    {EditCommand::SelectAll, "Select All", "", {'A', false}},
};

} // namespace

std::span<const EditAction> EditActions() {
    return kActions;
}

const EditAction& EditActionOf(EditCommand command) {
    for (const EditAction& a : kActions) {
        if (a.command == command) {
            return a;
        }
    }
    return kActions[0];
}

std::string ShortcutText(const Shortcut& shortcut) {
    return std::string("Ctrl+") + (shortcut.shift ? "Shift+" : "") + shortcut.key;
}

std::optional<EditCommand> EditCommandOfKey(char key, bool ctrl, bool shift, bool alt) {
    if (!ctrl || alt) {
        return std::nullopt;
    }
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    for (const EditAction& a : kActions) {
        if (a.shortcut.key == upper && a.shortcut.shift == shift) {
            return a.command;
        }
    }
    return std::nullopt;
}

bool EditCommandAvailable(EditCommand command, const CommandStates& states) {
    switch (command) {
    case EditCommand::Cut:
    case EditCommand::Copy:
        return states.editorCopyCut;
    case EditCommand::Paste:
        return states.editorPaste;
    case EditCommand::Undo:
        return states.editorUndo;
    case EditCommand::Redo:
        return states.editorRedo;
    case EditCommand::SelectAll:
        return states.editorSelectAll;
    }
    return false;
}

bool ExecuteEditCommand(EditCommand command, const CommandStates& states,
                        EditorCommandsPort& editor) {
    if (!EditCommandAvailable(command, states)) {
        return false;
    }
    switch (command) {
    case EditCommand::Cut:
        editor.EditorCut();
        break;
    case EditCommand::Copy:
        editor.EditorCopy();
        break;
    case EditCommand::Paste:
        editor.EditorPaste();
        break;
    case EditCommand::Undo:
        editor.EditorUndo();
        break;
    case EditCommand::Redo:
        editor.EditorRedo();
        break;
    case EditCommand::SelectAll:
        editor.EditorSelectAll();
        break;
    }
    return true;
}

} // namespace tw
