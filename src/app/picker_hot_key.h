#pragma once
// The global hot key that opens the search picker: which values the setting may hold, how it
// reads, and keeping it registered while the program runs.
#include "platform/message_boxes.h"
#include "platform/raw_registry.h"

#include <cstdint>
#include <string>

namespace tw {

inline constexpr const char* kPickerHotKey = "PickerHotKey";

// The key's virtual-key code in the low byte, the modifiers above it, as a hot key control
// reports them. 0: no hot key.
inline constexpr int kHotKeyShift = 0x100;
inline constexpr int kHotKeyCtrl = 0x200;
inline constexpr int kHotKeyAlt = 0x400;
// Set by the control for keys of the extended block (arrows, Insert, ...); it changes nothing.
inline constexpr int kHotKeyExtended = 0x800;
inline constexpr int kDefaultPickerHotKey = kHotKeyCtrl | kHotKeyAlt | 0x20; // Ctrl+Alt+Space

enum class HotKeyCheck {
    Valid,
    Off,            // 0: the picker opens from nowhere but the menu
    NoCtrlOrAlt,    // a key without Ctrl or Alt would be taken from every program's typing
    TakenByReplies, // Ctrl+Alt (and Shift) with a letter or digit belong to the replies
    NotAKey,        // no key, a modifier alone, or bits no control sets
};

HotKeyCheck CheckPickerHotKey(int value);

// The setting as the program uses it: absent or not valid it reads as the default.
int PickerHotKeySetting(RawRegistry& registry);

// "Ctrl+Alt+Space", for messages.
std::string HotKeyName(int value);

struct HotKeyChord {
    std::uint8_t key = 0;
    bool shift = false, ctrl = false, alt = false;
    bool operator==(const HotKeyChord&) const = default;
};
HotKeyChord ChordOf(int value);

class GlobalHotKeyPort {
public:
    virtual ~GlobalHotKeyPort() = default;
    // False when another program holds the chord.
    virtual bool RegisterHotKey(const HotKeyChord& chord) = 0;
    virtual void UnregisterHotKey() = 0;
};

// Registers the setting's hot key at start and again when the options change it. A chord that
// another program holds is told once per run; the program goes on without it.
class PickerHotKeyRegistration {
public:
    PickerHotKeyRegistration(RawRegistry& registry, GlobalHotKeyPort& port, MessageBoxes& boxes)
        : registry_(registry), port_(port), boxes_(boxes) {}

    void Apply();
    void Stop();
    // The hot key registered now; 0 for none.
    int Registered() const { return registered_; }

private:
    RawRegistry& registry_;
    GlobalHotKeyPort& port_;
    MessageBoxes& boxes_;
    int registered_ = 0;
    bool told_ = false;
};

} // namespace tw
