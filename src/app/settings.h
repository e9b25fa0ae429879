#pragma once
// Names and rules of the stored settings. Nothing is cached: every reader asks the registry at the
// moment it needs the value, so an edit by hand between two reads is seen by the second.
#include "platform/raw_registry.h"

#include <string>

namespace tw {

inline constexpr const char* kSettingsKey = "SOFTWARE\\Kolvenmark\\Textwright 2";
inline constexpr const char* kAutorunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kAutorunValue = "Textwright 2";

inline constexpr const char* kShowTips = "ShowTips";
inline constexpr const char* kShowMacroIns = "ShowMacroIns";
inline constexpr const char* kAlwaysOnTop = "AlwaysOnTop";
inline constexpr const char* kEditMode = "EditMode";
// Off unless set: absent reads 0, so it is not among the defaults created at start-up.
inline constexpr const char* kRestoreClipboard = "RestoreClipboard";

inline constexpr const char* kHiddenSwitch = "-hidden";

// Creates the settings key if needed and the four integer defaults that are missing; values
// already there are never changed.
void EnsureDefaultSettings(RawRegistry& registry);

// Integer settings count as on only when they read exactly 1.
bool SettingIsOn(RawRegistry& registry, const std::string& name);
void WriteSetting(RawRegistry& registry, const std::string& name, bool on);

// The autorun command line. The path is quoted: unquoted, a path with spaces would let Windows
// start "C:\Program.exe" or the like instead of this program.
std::string AutorunCommand(const std::string& programPath);

} // namespace tw
