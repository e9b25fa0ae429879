#pragma once
// The main window's three hook components, set up as it uses them: all on the hook library
// "KeybDll", the shell hook silent about the program's own windows, none filtering.
#include "hooks/keyboard_hook.h"
#include "hooks/mouse_hook.h"
#include "hooks/shell_hook.h"

namespace tw {

class SystemHooks {
public:
    SystemHooks(HookLoader& loader, HookHost& host);

    // ShellHook, KeyHook, MouseHook in this order; a hook that cannot start just stays silent.
    void StartHooks();
    // MouseHook, KeyHook, ShellHook in this order.
    void StopHooks();

    TKvShellHook ShellHook;
    TKvKeyboardHook KeyHook;
    TKvMouseHook MouseHook;
};

} // namespace tw
