#pragma once
// The two settings of the insertions dialog: whether command deliveries show it, and its size.
#include "app/settings.h"
#include "platform/raw_registry.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tw {

inline constexpr const char* kMacroInsFormSettingsValue = "MacroInsFormSettings";

struct DialogSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const DialogSize&, const DialogSize&) = default;
};

// Height first, then width, each the low 16 bits as a signed little-endian number.
std::array<std::uint8_t, 4> EncodeInsertionsSize(DialogSize size);
// Anything but 4 bytes of binary data is not a size.
std::optional<DialogSize> DecodeInsertionsSize(const RegValue& value);

// Missing, or anything but an integer, reads as 0.
int ReadShowMacroIns(RawRegistry& registry);
void WriteShowMacroIns(RawRegistry& registry, bool show);
std::optional<DialogSize> ReadInsertionsSize(RawRegistry& registry);
void WriteInsertionsSize(RawRegistry& registry, DialogSize size);

} // namespace tw
