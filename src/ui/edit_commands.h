#pragma once
// The editor's edit commands (the "Edit" action category): caption, hint and shortcut shared by
// the menu items, the toolbar buttons and the keyboard.
#include "ui/formatting_ports.h"
#include "ui/main_commands.h"

#include <optional>
#include <span>
#include <string>

namespace tw {

struct Shortcut {
    char key = 0; // an upper-case letter, always with Ctrl
    bool shift = false;
};

struct EditAction {
    MainCommand command;
    const char* caption;
    const char* hint; // empty: no hint
    Shortcut shortcut;
};

// Cut, Copy, Paste, Undo, Redo, Select All.
std::span<const EditAction> EditActions();
// Null for a command that is no edit command.
const EditAction* EditActionOf(MainCommand command);
// As menus show it, "Ctrl+Shift+Z".
std::string ShortcutText(const Shortcut& shortcut);
// The edit command a key stroke stands for: a letter with Ctrl and exactly the Shift of its
// shortcut; never with Alt.
std::optional<MainCommand> EditCommandOfKey(char key, bool ctrl, bool shift, bool alt);
// Runs an edit command on the editor; false for any other command.
bool RunEditCommand(MainCommand command, EditorCommandsPort& editor);

} // namespace tw
