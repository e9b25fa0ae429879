#pragma once
// The one record through which every hook component shares the hook library: loaded on the
// first successful load, unloaded when the last reference is released. Touched only from the
// main thread, so it is not locked.
#include "hooks/hook_module_port.h"
#include "hooks/hook_status.h"

#include <cstdint>
#include <string>

namespace tw {

class HookLoader {
public:
    explicit HookLoader(HookModulePort& port) : port_(port) {}
    HookLoader(const HookLoader&) = delete;
    HookLoader& operator=(const HookLoader&) = delete;

    std::int32_t LoadHookLibrary(const std::string& name);
    void ReleaseHookLibrary();
    std::string HookErrorText(std::int32_t status);

    // -1 (missing exports) when no library is loaded.
    std::int32_t AttachReceiver(TKvHookKind kind, std::uintptr_t receiver, bool allowFiltering);

    bool Loaded() const { return module_ != 0; }
    int ReferenceCount() const { return count_; }
    // Warns once when the library is still loaded; called when the process ends.
    void CheckUnloadedAtExit();

private:
    void Clear();

    HookModulePort& port_;
    HookModule module_ = 0;
    int count_ = 0;
    HookEntry attachReceiver_ = 0;
    HookEntry detachReceiver_ = 0;
    HookEntry lastError_ = 0;
};

// "KeybDll" -> "KeybDll.dll", "hooks.bin" -> "hooks.dll"; empty when the name already ends in
// ".dll" (any case), i.e. when there is nothing else to try.
std::string HookLibraryRetryName(const std::string& name);

} // namespace tw
