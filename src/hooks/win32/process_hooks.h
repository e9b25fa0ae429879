#pragma once
// The process-wide hook library record and the window system the components run on. The main
// window builds its components over these:
//   TKvShellHook ShellHook{ProcessHookLoader(), ProcessHookHost(), "ShellHook"};
#include "hooks/hook_host.h"
#include "hooks/hook_loader.h"

#include <cstdint>
#include <string>

namespace tw {

HookLoader& ProcessHookLoader();
HookHost& ProcessHookHost();

std::int32_t LoadHookLibrary(const std::string& name);
void ReleaseHookLibrary();
std::string HookErrorText(std::int32_t status);

// For the program's last step: warns when a component was left running.
void WarnIfHookLibraryLoaded();

} // namespace tw
