#pragma once
// Keys typed right after the picker's hot key, before its window has the keyboard: a filtering
// keyboard hook asks here about every key. From the hot key's press on, the keys are held back
// from the window in front and kept for the picker, which takes them, in order, into its search
// box, until it closes. Only the releases of keys already down at the hot key (its own
// modifiers) go on as they are. Under Wine the picker gets the keyboard from the display some
// time after it is in front; keys typed meanwhile would reach neither window.
#include "app/picker_hot_key.h"
#include "delivery/recognition.h"

#include <bitset>
#include <cstdint>
#include <vector>

namespace tw {

class TypeAhead {
public:
    // Holding that no picker takes would take the keyboard from the user: it ends by itself.
    static constexpr std::uint32_t kLongestHoldMs = 1000;

    // The hot key as registered now; 0 when none is, and nothing is held then.
    void Arm(int hotKey) { hotKey_ = hotKey; }
    // A key of the desktop at `nowMs`; true keeps it from its window.
    bool KeyEvent(const KeyAction& key, std::uint32_t nowMs);
    // The keys held since the hot key or the last call, oldest first; holding goes on, for as
    // long as it takes, until End.
    std::vector<KeyAction> Take();
    // The picker has closed: the keys go on to their windows again.
    void End();
    bool Holding() const { return holding_; }

private:
    bool ChordDown(const KeyAction& key) const;

    int hotKey_ = 0;
    std::bitset<256> down_;
    std::bitset<256> downAtHotKey_;
    bool holding_ = false;
    bool taken_ = false;
    std::uint32_t since_ = 0;
    std::vector<KeyAction> held_;
};

} // namespace tw
