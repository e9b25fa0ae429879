#include "app/picker_hot_key.h"

#include "settings/reg_proc.h"
#include "settings/settings_store.h"

namespace tw {
namespace {

constexpr int kKeyMask = 0xFF;
constexpr int kKnownBits = kKeyMask | kHotKeyShift | kHotKeyCtrl | kHotKeyAlt | kHotKeyExtended;

bool IsModifierKey(int key) {
    // Shift, Ctrl, Alt, the left and right ones, and the Windows keys.
    return (key >= 0x10 && key <= 0x12) || (key >= 0xA0 && key <= 0xA5) || key == 0x5B ||
           key == 0x5C;
}

bool IsLetterOrDigit(int key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

std::string KeyName(int key) {
    if (IsLetterOrDigit(key)) {
        return std::string(1, static_cast<char>(key));
    }
    if (key >= 0x70 && key <= 0x87) {
        return "F" + std::to_string(key - 0x6F);
    }
    switch (key) {
    case 0x20:
        return "Space";
    case 0x0D:
        return "Enter";
    case 0x09:
        return "Tab";
    case 0x2D:
        return "Insert";
    case 0x24:
        return "Home";
    case 0x23:
        return "End";
    default:
        return "key " + std::to_string(key);
    }
}

} // namespace

HotKeyCheck CheckPickerHotKey(int value) {
    if (value == 0) {
        return HotKeyCheck::Off;
    }
    const int key = value & kKeyMask;
    if ((value & ~kKnownBits) != 0 || key == 0 || IsModifierKey(key)) {
        return HotKeyCheck::NotAKey;
    }
    if ((value & (kHotKeyCtrl | kHotKeyAlt)) == 0) {
        return HotKeyCheck::NoCtrlOrAlt;
    }
    if ((value & kHotKeyCtrl) && (value & kHotKeyAlt) && IsLetterOrDigit(key)) {
        return HotKeyCheck::TakenByReplies;
    }
    return HotKeyCheck::Valid;
}

int PickerHotKeySetting(RawRegistry& registry) {
    if (!RegValueExists(registry, kSettingsKey, kPickerHotKey)) {
        return kDefaultPickerHotKey;
    }
    const int value = RegReadInteger(registry, kSettingsKey, kPickerHotKey);
    const HotKeyCheck check = CheckPickerHotKey(value);
    return check == HotKeyCheck::Valid || check == HotKeyCheck::Off ? value : kDefaultPickerHotKey;
}

HotKeyChord ChordOf(int value) {
    return {static_cast<std::uint8_t>(value & kKeyMask), (value & kHotKeyShift) != 0,
            (value & kHotKeyCtrl) != 0, (value & kHotKeyAlt) != 0};
}

std::string HotKeyName(int value) {
    if (value == 0) {
        return "none";
    }
    std::string name;
    name += value & kHotKeyCtrl ? "Ctrl+" : "";
    name += value & kHotKeyAlt ? "Alt+" : "";
    name += value & kHotKeyShift ? "Shift+" : "";
    return name + KeyName(value & kKeyMask);
}

void PickerHotKeyRegistration::Apply() {
    Stop();
    const int value = PickerHotKeySetting(registry_);
    if (value == 0) {
        return;
    }
    registered_ = port_.RegisterHotKey(ChordOf(value)) ? value : 0;
    if (registered_ == 0 && !told_) {
        told_ = true;
        boxes_.ShowWarning(HotKeyName(value) +
                           " is in use by another program, so it cannot open the search for "
                           "replies. Choose another key in Options.");
    }
}

void PickerHotKeyRegistration::Stop() {
    if (registered_ != 0) {
        port_.UnregisterHotKey();
        registered_ = 0;
    }
}

} // namespace tw
