#pragma once
// The edit commands' shortcuts while the editor has the keyboard: each key stroke runs its menu
// command, so a key does exactly what the menu item and the button do.
#include "ui/main_commands.h"

#include <windows.h>

#include <functional>

namespace tw::win32 {

// Installs the hook; it lives as long as the control.
void HookEditorShortcuts(HWND editor, std::function<void(MainCommand)> run);

} // namespace tw::win32
