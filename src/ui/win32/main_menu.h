#pragma once
// The main window's menu bar and keyboard shortcuts.
#include "platform/win32/unique_handle.h"
#include "ui/main_commands.h"

#include <optional>
#include <string>

#include <windows.h>

namespace tw::win32 {

// The bar owns its drop-down menus; a window given the bar owns it from then on.
UniqueMenu BuildMainMenu();
// ChMode names the mode it switches to.
void SetChangeModeCaption(HMENU bar, const std::string& caption);
// Alt+X, F1 and the shortcuts of the library commands.
UniqueAccelerators BuildMainAccelerators();
// The command of a menu item id, or none for items handled elsewhere or not yet available.
std::optional<MainCommand> CommandOfMenuId(int id);
int MenuIdOf(MainCommand command);

} // namespace tw::win32
