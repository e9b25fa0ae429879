#pragma once
// The application's use of the settings store: defaults at start-up and the autorun command.
#include "settings/settings_store.h"

#include <string>

namespace tw {

inline constexpr const char* kHiddenSwitch = "-hidden";

// Creates the settings key if needed and the four integer defaults that are missing; values
// already there are never changed.
void EnsureDefaultSettings(RawRegistry& registry);

// The autorun command line. The path is quoted: unquoted, a path with spaces would let Windows
// start "C:\Program.exe" or the like instead of this program.
std::string AutorunCommand(const std::string& programPath);

} // namespace tw
