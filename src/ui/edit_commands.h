#pragma once
// The editor's edit commands (the "Edit" action category): caption, hint and shortcut shared by
// the menu items, the toolbar buttons and the keyboard, and when each one is available.
#include "ui/command_state.h"
#include "ui/formatting_ports.h"

#include <optional>
#include <span>
#include <string>

namespace tw {

enum class EditCommand { Cut, Copy, Paste, Undo, Redo, SelectAll };

struct Shortcut {
    char key = 0; // an upper-case letter
    bool shift = false;
    // Always with Ctrl; edit commands have no other kind of shortcut.
};

struct EditAction {
    EditCommand command;
    const char* caption;
    const char* hint; // empty: no hint
    Shortcut shortcut;
};

// In toolbar order: Cut, Copy, Paste, Undo, Redo, then Select All (menu only).
std::span<const EditAction> EditActions();
const EditAction& EditActionOf(EditCommand command);
// As menus show it, "Ctrl+Shift+Z".
std::string ShortcutText(const Shortcut& shortcut);
// The command a key stroke stands for: a letter with Ctrl, and exactly the Shift its shortcut
// has; Alt never.
std::optional<EditCommand> EditCommandOfKey(char key, bool ctrl, bool shift, bool alt);
bool EditCommandAvailable(EditCommand command, const CommandStates& states);
// Runs the command on the editor; a command that is not available does nothing.
bool ExecuteEditCommand(EditCommand command, const CommandStates& states,
                        EditorCommandsPort& editor);

} // namespace tw
