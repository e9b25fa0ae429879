#include "expansion/placeholders.h"

#include "expansion/calendar.h"

#include <cstdio>

namespace tw {

const std::array<const char*, 41> PlaceholderTable = {
    "%Date",
    "%ShortDate",
    "%Day",
    "%YDate",
    "%YShortDate",
    "%YDay",
    "%TDate",
    "%TShortDate",
    "%TDay",
    "%Time",
    "%ShortTime",
    "Today (date in full)",
    "Today (short date)",
    "Today (day of the week)",
    "Yesterday (date in full)",
    "Yesterday (short date)",
    "Yesterday (day of the week)",
    "Tomorrow (date in full)",
    "Tomorrow (short date)",
    "Tomorrow (day of the week)",
    "Current Time (full)",
    "Current Time (short)",
    "Monday",
    "Tuesday",
    "Wednesday",
    "Thursday",
    "Friday",
    "Saturday",
    "Sunday",
    "January",
    "February",
    "March",
    "April",
    "May",
    "June",
    "July",
    "August",
    "September",
    "October",
    "November",
    "December",
};

namespace {

template <typename... Args> std::string Format(const char* pattern, Args... args) {
    char buffer[96];
    const int n = std::snprintf(buffer, sizeof buffer, pattern, args...);
    return n < 0 ? std::string() : std::string(buffer, static_cast<std::size_t>(n));
}

const char* WeekdayName(const CivilDate& date) {
    return PlaceholderTable[kWeekdayBase + IsoWeekday(date)];
}

// A clock that reports an impossible month must not index outside the table.
const char* MonthName(int month) {
    return month >= 1 && month <= 12 ? PlaceholderTable[kMonthBase + month] : "";
}

std::string FullDate(const CivilDate& d) {
    return Format("%s, %s %.2d, %d", WeekdayName(d), MonthName(d.month), d.day, d.year);
}

std::string ShortDate(const CivilDate& d) {
    return Format("%d/%d/%d", d.month, d.day, d.year);
}

} // namespace

std::string GetPlaceholderNames() {
    std::string names;
    for (int i = 0; i < kPlaceholderCount; ++i) {
        if (i > 0) {
            names += kNameSeparator;
        }
        names += PlaceholderTable[i];
    }
    return names;
}

std::string GetPlaceholderValues(const LocalDateTime& now) {
    const CivilDate today{now.year, now.month, now.day};
    // Calendar days, not 24-hour steps: a daylight-saving change never skips or repeats a date.
    const CivilDate yesterday = AddDays(today, -1);
    const CivilDate tomorrow = AddDays(today, 1);
    const std::array<std::string, kPlaceholderCount> values = {
        FullDate(today),
        ShortDate(today),
        WeekdayName(today),
        FullDate(yesterday),
        ShortDate(yesterday),
        WeekdayName(yesterday),
        FullDate(tomorrow),
        ShortDate(tomorrow),
        WeekdayName(tomorrow),
        Format("%d:%.2d:%.2d", now.hour, now.minute, now.second),
        Format("%d:%.2d", now.hour, now.minute),
    };
    std::string list;
    for (int i = 0; i < kPlaceholderCount; ++i) {
        if (i > 0) {
            list += kValueSeparator;
        }
        list += values[i];
    }
    return list;
}

std::string GetPlaceholderValues(LocalClock& clock) {
    return GetPlaceholderValues(clock.Now());
}

} // namespace tw
