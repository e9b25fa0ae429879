#include "settings/settings_store.h"

#include "settings/reg_proc.h"

namespace tw {

bool SettingIsOn(RawRegistry& registry, const std::string& name) {
    return RegReadInteger(registry, kSettingsKey, name) == 1;
}

void WriteSetting(RawRegistry& registry, const std::string& name, bool on) {
    RegWriteInteger(registry, kSettingsKey, name, on ? 1 : 0);
}

} // namespace tw
