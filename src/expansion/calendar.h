#pragma once
// Proleptic Gregorian date arithmetic on plain numbers; no time zone, no locale.
namespace tw {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 (negative before it).
long long DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(long long days);
// The calendar day before or after; month, year and leap-day boundaries follow from the calendar.
CivilDate AddDays(const CivilDate& date, int days);
// 1 = Monday ... 7 = Sunday.
int IsoWeekday(const CivilDate& date);
bool IsValidCivilDate(const CivilDate& date);

} // namespace tw
