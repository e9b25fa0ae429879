#include "ui/edit_commands.h"

#include <cctype>

namespace tw {
namespace {

constexpr EditAction kActions[] = {
    {MainCommand::EditorCut, "Cut", "Cut", {'X', false}},
    {MainCommand::EditorCopy, "Copy", "Copy", {'C', false}},
    {MainCommand::EditorPaste, "Paste", "Paste", {'V', false}},
    {MainCommand::EditorUndo, "Undo", "Undo", {'Z', false}},
    {MainCommand::EditorRedo, "Redo", "Redo", {'Z', true}},
    {MainCommand::EditorSelectAll, "Select All", "", {'A', false}},
};

} // namespace

std::span<const EditAction> EditActions() {
    return kActions;
}

const EditAction* EditActionOf(MainCommand command) {
    for (const EditAction& a : kActions) {
        if (a.command == command) {
            return &a;
        }
    }
    return nullptr;
}

std::string ShortcutText(const Shortcut& shortcut) {
    return std::string("Ctrl+") + (shortcut.shift ? "Shift+" : "") + shortcut.key;
}

std::optional<MainCommand> EditCommandOfKey(char key, bool ctrl, bool shift, bool alt) {
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

bool RunEditCommand(MainCommand command, EditorCommandsPort& editor) {
    switch (command) {
    case MainCommand::EditorCut:
        editor.EditorCut();
        return true;
    case MainCommand::EditorCopy:
        editor.EditorCopy();
        return true;
    case MainCommand::EditorPaste:
        editor.EditorPaste();
        return true;
    case MainCommand::EditorUndo:
        editor.EditorUndo();
        return true;
    case MainCommand::EditorRedo:
        editor.EditorRedo();
        return true;
    case MainCommand::EditorSelectAll:
        editor.EditorSelectAll();
        return true;
    default:
        return false;
    }
}

} // namespace tw
