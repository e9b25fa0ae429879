#include "app/settings.h"

#include "settings/reg_proc.h"

namespace tw {

void EnsureDefaultSettings(RawRegistry& registry) {
    RegEnsureKey(registry, kSettingsKey);
    struct Default {
        const char* name;
        int value;
    };
    static constexpr Default kDefaults[] = {
        {kShowTips, 1}, {kShowMacroIns, 1}, {kAlwaysOnTop, 0}, {kEditMode, 1}};
    for (const auto& d : kDefaults) {
        if (!RegValueExists(registry, kSettingsKey, d.name)) {
            RegWriteInteger(registry, kSettingsKey, d.name, d.value);
        }
    }
}

std::string AutorunCommand(const std::string& programPath) {
    return "\"" + programPath + "\" " + kHiddenSwitch;
}

} // namespace tw
