#pragma once
// The main window's menu bar and keyboard shortcuts.
#include "ui/main_commands.h"

#include <optional>

#include <windows.h>

namespace tw::win32 {

HMENU BuildMainMenu();
// Alt+X and F1; the shortcuts of the editing commands come with those commands.
HACCEL BuildMainAccelerators();
// The command of a menu item id, or none for items handled elsewhere or not yet available.
std::optional<MainCommand> CommandOfMenuId(int id);
int MenuIdOf(MainCommand command);

} // namespace tw::win32
