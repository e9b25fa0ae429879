#pragma once
// The editor's own edit commands: the keys it takes while it has the keyboard, and what each
// does to the editor. Their captions, hints and shortcuts are the command rows'.
#include "ui/formatting_ports.h"
#include "ui/main_commands.h"

#include <optional>

namespace tw {

// The edit command a key stroke stands for: a letter with Ctrl and exactly the Shift of its
// shortcut; never with Alt.
std::optional<MainCommand> EditCommandOfKey(char key, bool ctrl, bool shift, bool alt);
// Runs an edit command on the editor; false for any other command.
bool RunEditCommand(MainCommand command, EditorCommandsPort& editor);

} // namespace tw
