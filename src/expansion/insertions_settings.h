#pragma once
// The insertions dialog's size record. Whether the dialog is shown is the integer setting
// kShowMacroIns, read and written like every other one.
#include "platform/raw_registry.h"
#include "settings/settings_store.h"

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

std::optional<DialogSize> ReadInsertionsSize(RawRegistry& registry);
void WriteInsertionsSize(RawRegistry& registry, DialogSize size);

} // namespace tw
