#pragma once
// Where the settings live and the rule for the integer ones. Nothing is cached: every reader asks
// the registry at the moment it needs the value, so an edit by hand between two reads is seen by
// the second.
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

// Integer settings count as on only when they read exactly 1.
bool SettingIsOn(RawRegistry& registry, const std::string& name);
// Writes 1 or 0 through RegWriteInteger: the key is never created and a binary value stays binary.
void WriteSetting(RawRegistry& registry, const std::string& name, bool on);

} // namespace tw
