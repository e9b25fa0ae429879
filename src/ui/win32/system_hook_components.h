#pragma once
// The system hook components the main window starts and stops, on the hook library beside the
// program. A failed start is not reported: that hook just stays silent.
#include "hooks/system_hooks.h"
#include "hooks/win32/process_hooks.h"
#include "ui/main_form_ports.h"

namespace tw::win32 {

class SystemHookComponents : public HookComponents {
public:
    void StartHooks() override { hooks.StartHooks(); } // ShellHook, KeyHook, MouseHook
    void StopHooks() override { hooks.StopHooks(); }   // MouseHook, KeyHook, ShellHook
    SystemHooks& Components() override { return hooks; }

    SystemHooks hooks{ProcessHookLoader(), ProcessHookHost()};
};

} // namespace tw::win32
