#include "expansion/insertions_settings.h"

namespace tw {

std::array<std::uint8_t, 4> EncodeInsertionsSize(DialogSize size) {
    const auto h = static_cast<std::uint16_t>(size.height);
    const auto w = static_cast<std::uint16_t>(size.width);
    return {static_cast<std::uint8_t>(h & 0xff), static_cast<std::uint8_t>(h >> 8),
            static_cast<std::uint8_t>(w & 0xff), static_cast<std::uint8_t>(w >> 8)};
}

std::optional<DialogSize> DecodeInsertionsSize(const RegValue& value) {
    if (value.type != RegType::Binary || value.data.size() != 4) {
        return std::nullopt;
    }
    const auto h = static_cast<std::int16_t>(value.data[0] | (value.data[1] << 8));
    const auto w = static_cast<std::int16_t>(value.data[2] | (value.data[3] << 8));
    return DialogSize{w, h};
}

std::optional<DialogSize> ReadInsertionsSize(RawRegistry& registry) {
    const auto value = registry.Read(kSettingsKey, kMacroInsFormSettingsValue);
    return value ? DecodeInsertionsSize(*value) : std::nullopt;
}

void WriteInsertionsSize(RawRegistry& registry, DialogSize size) {
    if (registry.CreateKey(kSettingsKey)) {
        const auto bytes = EncodeInsertionsSize(size);
        registry.Write(kSettingsKey, kMacroInsFormSettingsValue,
                       RegValue{RegType::Binary, {bytes.begin(), bytes.end()}});
    }
}

} // namespace tw
