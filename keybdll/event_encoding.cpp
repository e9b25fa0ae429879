#include "keybdll/event_encoding.h"

namespace tw::keybdll {

std::uint32_t KeystrokeEncoder::Encode(const LowLevelKey& key) {
    const bool release = (key.flags & kLowLevelUp) != 0;
    const std::size_t vk = key.virtualKey & 0xFF;
    // A release always follows a key that was down; a press was down before only when repeating.
    const bool wasDown = release || down_.test(vk);
    down_.set(vk, !release);
    std::uint32_t flags = 1;
    flags |= (key.scanCode & 0xFF) << 16;
    if (key.flags & kLowLevelExtended)
        flags |= 1u << 24;
    // Under Wine a key pressed while right Alt is held can come without the Alt flag.
    constexpr std::size_t kAlt = 0x12, kLeftAlt = 0xA4, kRightAlt = 0xA5;
    const bool altHeld = down_.test(kAlt) || down_.test(kLeftAlt) || down_.test(kRightAlt);
    if ((key.flags & kLowLevelAltDown) || altHeld)
        flags |= 1u << 29;
    if (wasDown)
        flags |= 1u << 30;
    if (release)
        flags |= 1u << 31;
    return flags;
}

std::optional<std::uint32_t> MouseCode(std::uint32_t mouseMessage) {
    // WM_MOUSEMOVE is 0x200 and the nine button messages follow it in the order of the codes.
    constexpr std::uint32_t kMouseMove = 0x0200;
    if (mouseMessage >= kMouseMove && mouseMessage <= kMouseMove + 9)
        return mouseMessage - kMouseMove;
    return std::nullopt;
}

std::uint32_t PackScreenPoint(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint32_t>(x) & 0xFFFF) |
           ((static_cast<std::uint32_t>(y) & 0xFFFF) << 16);
}

} // namespace tw::keybdll
