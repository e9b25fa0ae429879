#pragma once
// The loader's view of LoadLibrary, GetProcAddress and FreeLibrary. Names are resolved against
// the program's own folder only.
#include "hooks/hook_module_port.h"

namespace tw {

class Win32HookModule : public HookModulePort {
public:
    // The folder a relative library name is looked for in; by default the program's own.
    explicit Win32HookModule(std::string programFolder = {});

    HookModule Load(const std::string& name) override;
    std::uint32_t LastErrorCode() override { return lastError_; }
    HookEntry Resolve(HookModule module, const std::string& exportName) override;
    void Unload(HookModule module) override;
    std::int32_t CallAttachReceiver(HookEntry attach, std::uint8_t kind, std::uintptr_t receiver,
                                    bool allowFiltering) override;
    std::string SystemErrorText(std::uint32_t code) override;
    void ShowLeftLoadedWarning(const std::string& text, const std::string& caption) override;

private:
    std::string programFolder_;
    std::uint32_t lastError_ = 0;
};

// The folder of the running program, with a trailing backslash, in ANSI bytes.
std::string RunningProgramFolder();

} // namespace tw
