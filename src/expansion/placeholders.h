#pragma once
// The eleven date and time placeholders: their names, menu descriptions, the English weekday
// and month names, and the values for one reading of the clock.
#include "expansion/local_clock.h"

#include <array>
#include <string>

namespace tw {

constexpr int kPlaceholderCount = 11;
constexpr int kDescriptionOffset = 11; // description of placeholder i is entry i + 11
constexpr int kWeekdayBase = 21;       // weekday d (1 = Monday) is entry 21 + d
constexpr int kMonthBase = 28;         // month m (1 = January) is entry 28 + m

extern const std::array<const char*, 41> PlaceholderTable;

// Separators of the two list encodings shared by every replacement.
constexpr char kNameSeparator = ',';
constexpr char kValueSeparator = '\x01';

// "%Date,%ShortDate,...,%ShortTime".
std::string GetPlaceholderNames();
// The eleven values for the given moment, joined by 0x01.
std::string GetPlaceholderValues(const LocalDateTime& now);
// Reads the clock exactly once.
std::string GetPlaceholderValues(LocalClock& clock);

} // namespace tw
