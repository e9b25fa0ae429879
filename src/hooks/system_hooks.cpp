#include "hooks/system_hooks.h"

namespace tw {

SystemHooks::SystemHooks(HookLoader& loader, HookHost& host)
    : ShellHook(loader, host, "ShellHook"), KeyHook(loader, host, "KeyHook"),
      MouseHook(loader, host, "MouseHook") {
    ShellHook.SetHookDLL(kHookLibraryName);
    KeyHook.SetHookDLL(kHookLibraryName);
    MouseHook.SetHookDLL(kHookLibraryName);
    ShellHook.NotifyOwnEvents = false;
}

void SystemHooks::StartHooks() {
    std::string ignored;
    ShellHook.Start(ignored);
    KeyHook.Start(ignored);
    MouseHook.Start(ignored);
}

void SystemHooks::StopHooks() {
    MouseHook.Stop();
    KeyHook.Stop();
    ShellHook.Stop();
}

} // namespace tw
