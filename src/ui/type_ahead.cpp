#include "ui/type_ahead.h"

#include "delivery/delivery_ports.h"

namespace tw {
namespace {

bool Down(const std::bitset<256>& down, std::uint32_t key, std::uint32_t left,
          std::uint32_t right) {
    return down[key] || down[left] || down[right];
}

} // namespace

bool TypeAhead::ChordDown(const KeyAction& key) const {
    if (hotKey_ == 0 || !key.pressed || key.wasDown) {
        return false;
    }
    const HotKeyChord chord = ChordOf(hotKey_);
    return key.virtualKey == chord.key &&
           Down(down_, vkey::Ctrl, vkey::LeftCtrl, vkey::RightCtrl) == chord.ctrl &&
           Down(down_, vkey::Alt, vkey::LeftAlt, vkey::RightAlt) == chord.alt &&
           Down(down_, vkey::Shift, vkey::LeftShift, vkey::RightShift) == chord.shift;
}

bool TypeAhead::KeyEvent(const KeyAction& key, std::uint32_t nowMs) {
    const std::uint32_t vk = key.virtualKey & 0xFF;
    if (holding_ && !taken_ && nowMs - since_ > kLongestHoldMs) {
        holding_ = false;
    }
    if (!holding_ && ChordDown(key)) {
        // The hot key itself goes on: it is what opens the picker.
        down_.set(vk);
        holding_ = true;
        taken_ = false;
        since_ = nowMs;
        downAtHotKey_ = down_;
        held_.clear();
        return false;
    }
    // The hot key's own keys coming up, or repeating while still held, are not typing.
    const bool hotKeysOwn = downAtHotKey_[vk] && (!key.pressed || key.wasDown);
    if (holding_ && !hotKeysOwn) {
        held_.push_back(key);
        return true;
    }
    if (!key.pressed) {
        downAtHotKey_.reset(vk);
    }
    down_.set(vk, key.pressed);
    return false;
}

std::vector<KeyAction> TypeAhead::Take() {
    taken_ = holding_;
    std::vector<KeyAction> held;
    held.swap(held_);
    return held;
}

void TypeAhead::End() {
    holding_ = false;
    taken_ = false;
    held_.clear();
}

} // namespace tw
