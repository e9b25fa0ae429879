#pragma once
// What the loader needs from the system's library loading. The Win32 adapter wraps
// LoadLibrary/GetProcAddress/FreeLibrary; tests use a scripted fake.
#include <cstdint>
#include <string>

namespace tw {

using HookModule = std::uintptr_t; // 0: no module
using HookEntry = std::uintptr_t;  // address of an export, 0: missing

class HookModulePort {
public:
    virtual ~HookModulePort() = default;
    // 0 when the library cannot be loaded; LastErrorCode() then tells why.
    virtual HookModule Load(const std::string& name) = 0;
    virtual std::uint32_t LastErrorCode() = 0;
    virtual HookEntry Resolve(HookModule module, const std::string& exportName) = 0;
    virtual void Unload(HookModule module) = 0;
    // Calls the library's AttachReceiver through its resolved entry point.
    virtual std::int32_t CallAttachReceiver(HookEntry attach, std::uint8_t kind,
                                            std::uintptr_t receiver, bool allowFiltering) = 0;
    // The system's message for a Windows error code, without a trailing line break.
    virtual std::string SystemErrorText(std::uint32_t code) = 0;
    // Shown when the process ends with the library still loaded.
    virtual void ShowLeftLoadedWarning(const std::string& text, const std::string& caption) = 0;
};

} // namespace tw
