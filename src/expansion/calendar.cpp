#include "expansion/calendar.h"

namespace tw {

// The era-based conversion keeps every step in integers and is exact for any year an int holds.
long long DaysFromCivil(const CivilDate& date) {
    long long y = static_cast<long long>(date.year) - (date.month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long m = date.month;
    const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return CivilDate{static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

CivilDate AddDays(const CivilDate& date, int days) {
    return CivilFromDays(DaysFromCivil(date) + days);
}

int IsoWeekday(const CivilDate& date) {
    // 1970-01-01 was a Thursday (4).
    const long long days = DaysFromCivil(date);
    const long long shifted = (days + 3) % 7;
    return static_cast<int>((shifted < 0 ? shifted + 7 : shifted) + 1);
}

bool IsValidCivilDate(const CivilDate& date) {
    if (date.month < 1 || date.month > 12 || date.day < 1) {
        return false;
    }
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const int length = lengths[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
    return date.day <= length;
}

} // namespace tw
