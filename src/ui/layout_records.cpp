#include "ui/layout_records.h"

#include "app/dpi_scale.h"
#include "settings/settings_store.h"

#include <cstddef>
#include <initializer_list>

namespace tw {

namespace {

template <std::size_t N> std::array<std::uint8_t, N> Pack(std::initializer_list<int> numbers) {
    std::array<std::uint8_t, N> bytes{};
    std::size_t at = 0;
    for (int n : numbers) {
        // The low 16 bits: sizes up to 32767 survive the trip.
        const auto word = static_cast<std::uint16_t>(n);
        bytes[at++] = static_cast<std::uint8_t>(word & 0xff);
        bytes[at++] = static_cast<std::uint8_t>(word >> 8);
    }
    return bytes;
}

std::optional<std::array<int, 7>> Unpack(const RegValue& value, std::size_t count) {
    if (value.type != RegType::Binary || value.data.size() != count * 2) {
        return std::nullopt;
    }
    std::array<int, 7> numbers{};
    for (std::size_t i = 0; i < count; ++i) {
        numbers[i] = static_cast<std::int16_t>(value.data[2 * i] | (value.data[2 * i + 1] << 8));
        if (numbers[i] <= 0) {
            return std::nullopt;
        }
    }
    return numbers;
}

// The inverse of ScaleForDpi, rounded to nearest with halves away from zero.
int To96(int pixels, int dpi) {
    if (dpi <= 0) {
        return pixels;
    }
    const long long scaled = static_cast<long long>(pixels) * 96;
    return static_cast<int>(scaled >= 0 ? (scaled + dpi / 2) / dpi : (scaled - dpi / 2) / dpi);
}

void Write(RawRegistry& registry, const char* name, const std::uint8_t* bytes, std::size_t size) {
    if (registry.CreateKey(kSettingsKey)) {
        registry.Write(kSettingsKey, name, RegValue{RegType::Binary, {bytes, bytes + size}});
    }
}

} // namespace

std::array<std::uint8_t, 14> EncodeFullLayout(const FullLayoutRecord& r) {
    return Pack<14>({r.minimum.height, r.minimum.width, r.window.width, r.window.height,
                     r.topHeight, r.listsWidth, r.macrosWidth});
}

std::array<std::uint8_t, 4> EncodeCompactLayout(Size window) {
    return Pack<4>({window.width, window.height});
}

std::optional<FullLayoutRecord> DecodeFullLayout(const RegValue& value) {
    const auto n = Unpack(value, 7);
    if (!n) {
        return std::nullopt;
    }
    return FullLayoutRecord{{(*n)[1], (*n)[0]}, {(*n)[2], (*n)[3]}, (*n)[4], (*n)[5], (*n)[6]};
}

std::optional<Size> DecodeCompactLayout(const RegValue& value) {
    const auto n = Unpack(value, 2);
    return n ? std::optional<Size>(Size{(*n)[0], (*n)[1]}) : std::nullopt;
}

FullLayoutRecord FullLayoutAtDpi(const FullLayoutRecord& r, int dpi) {
    return {SizeAtDpi(r.minimum, dpi), SizeAtDpi(r.window, dpi), ScaleForDpi(r.topHeight, dpi),
            ScaleForDpi(r.listsWidth, dpi), ScaleForDpi(r.macrosWidth, dpi)};
}

FullLayoutRecord FullLayoutAt96(const FullLayoutRecord& r, int dpi) {
    return {SizeAt96(r.minimum, dpi), SizeAt96(r.window, dpi), To96(r.topHeight, dpi),
            To96(r.listsWidth, dpi), To96(r.macrosWidth, dpi)};
}

Size SizeAtDpi(Size stored, int dpi) {
    return {ScaleForDpi(stored.width, dpi), ScaleForDpi(stored.height, dpi)};
}

Size SizeAt96(Size device, int dpi) {
    return {To96(device.width, dpi), To96(device.height, dpi)};
}

std::optional<FullLayoutRecord> ReadFullLayout(RawRegistry& registry) {
    const auto value = registry.Read(kSettingsKey, kMainFormSettingsValue);
    return value ? DecodeFullLayout(*value) : std::nullopt;
}

std::optional<Size> ReadCompactLayout(RawRegistry& registry) {
    const auto value = registry.Read(kSettingsKey, kNavMainFormSettingsValue);
    return value ? DecodeCompactLayout(*value) : std::nullopt;
}

void WriteFullLayout(RawRegistry& registry, const FullLayoutRecord& record) {
    const auto bytes = EncodeFullLayout(record);
    Write(registry, kMainFormSettingsValue, bytes.data(), bytes.size());
}

void WriteCompactLayout(RawRegistry& registry, Size window) {
    const auto bytes = EncodeCompactLayout(window);
    Write(registry, kNavMainFormSettingsValue, bytes.data(), bytes.size());
}

} // namespace tw
