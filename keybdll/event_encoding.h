#pragma once
// Turns low-level keyboard and mouse data into the parameters receivers get: the keystroke flags
// of an ordinary key message, and the mouse codes with packed screen coordinates.
#include <bitset>
#include <cstdint>
#include <optional>

namespace tw::keybdll {

// The flags of a low-level keyboard event, as the system reports them.
constexpr std::uint32_t kLowLevelExtended = 0x01;
constexpr std::uint32_t kLowLevelInjected = 0x10;
constexpr std::uint32_t kLowLevelAltDown = 0x20;
constexpr std::uint32_t kLowLevelUp = 0x80;

struct LowLevelKey {
    std::uint32_t virtualKey = 0;
    std::uint32_t scanCode = 0;
    std::uint32_t flags = 0;
};

// Remembers which keys are down, so that auto-repeat is told from a first press.
class KeystrokeEncoder {
public:
    // Repeat count 1, scan code, extended, Alt down (flagged, or an Alt key held), previous state,
    // transition.
    std::uint32_t Encode(const LowLevelKey& key);

private:
    std::bitset<256> down_;
};

// The code a mouse message is posted with (0 move, 1-9 button events), or nothing for messages
// receivers are not told about (wheel, extra buttons).
std::optional<std::uint32_t> MouseCode(std::uint32_t mouseMessage);

// x in bits 0-15, y in bits 16-31, each as an unsigned 16-bit value.
std::uint32_t PackScreenPoint(std::int32_t x, std::int32_t y);

} // namespace tw::keybdll
