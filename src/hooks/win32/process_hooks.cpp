#include "hooks/win32/process_hooks.h"

#include "hooks/win32/listener_window.h"
#include "hooks/win32/win32_hook_module.h"

namespace tw {

HookLoader& ProcessHookLoader() {
    static Win32HookModule module;
    static HookLoader loader(module);
    return loader;
}

HookHost& ProcessHookHost() {
    static Win32HookHost host;
    return host;
}

std::int32_t LoadHookLibrary(const std::string& name) {
    return ProcessHookLoader().LoadHookLibrary(name);
}

void ReleaseHookLibrary() {
    ProcessHookLoader().ReleaseHookLibrary();
}

std::string HookErrorText(std::int32_t status) {
    return ProcessHookLoader().HookErrorText(status);
}

void WarnIfHookLibraryLoaded() {
    ProcessHookLoader().CheckUnloadedAtExit();
}

} // namespace tw
