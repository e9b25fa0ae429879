#pragma once
// The two stored window layouts: full mode ("MainFormSettings", 14 bytes) and compact mode
// ("NavMainFormSettings", 4 bytes). Every number is a signed 16-bit little-endian integer.
// Sizes are kept at 96 dots per inch, so a layout stored on one monitor opens at the same
// physical size on another.
#include "platform/raw_registry.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tw {

inline constexpr const char* kMainFormSettingsValue = "MainFormSettings";
inline constexpr const char* kNavMainFormSettingsValue = "NavMainFormSettings";

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct FullLayoutRecord {
    Size minimum;        // the window's size constraints
    Size window;         // outer size
    int topHeight = 0;   // PanelTopRoot
    int listsWidth = 0;  // PanelChooseBy
    int macrosWidth = 0; // PanelMacrosList
    bool operator==(const FullLayoutRecord&) const = default;
};

std::array<std::uint8_t, 14> EncodeFullLayout(const FullLayoutRecord& record);
std::array<std::uint8_t, 4> EncodeCompactLayout(Size window);
// Anything but binary data of exactly the record's length, or a size that is not positive, is
// no layout: it is refused whole rather than read in part.
std::optional<FullLayoutRecord> DecodeFullLayout(const RegValue& value);
std::optional<Size> DecodeCompactLayout(const RegValue& value);

// Between device pixels at `dpi` and the stored 96-dpi pixels, rounded to nearest.
FullLayoutRecord FullLayoutAtDpi(const FullLayoutRecord& stored, int dpi);
FullLayoutRecord FullLayoutAt96(const FullLayoutRecord& device, int dpi);
Size SizeAtDpi(Size stored, int dpi);
Size SizeAt96(Size device, int dpi);

// The settings key is opened without creating it for reading, created for writing; failures
// are silent.
std::optional<FullLayoutRecord> ReadFullLayout(RawRegistry& registry);
std::optional<Size> ReadCompactLayout(RawRegistry& registry);
void WriteFullLayout(RawRegistry& registry, const FullLayoutRecord& record);
void WriteCompactLayout(RawRegistry& registry, Size window);

} // namespace tw
