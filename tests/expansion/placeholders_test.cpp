#include "expansion/calendar.h"
#include "expansion/placeholders.h"
#include "expansion/replacement_lists.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

std::vector<std::string> ValuesAt(int y, int mo, int d, int h, int mi, int s) {
    return SplitList(GetPlaceholderValues(LocalDateTime{y, mo, d, h, mi, s}), kValueSeparator);
}

class CountingClock : public LocalClock {
public:
    explicit CountingClock(LocalDateTime t) : t_(t) {}
    LocalDateTime Now() override {
        ++reads;
        return t_;
    }
    int reads = 0;

private:
    LocalDateTime t_;
};

TEST(PlaceholderTable, GroupsStandWhereTheMenuAndTheFormatsIndexThem) {
    EXPECT_STREQ(PlaceholderTable[0], "%Date");
    EXPECT_STREQ(PlaceholderTable[10], "%ShortTime");
    EXPECT_STREQ(PlaceholderTable[0 + kDescriptionOffset], "Today (date in full)");
    EXPECT_STREQ(PlaceholderTable[10 + kDescriptionOffset], "Current Time (short)");
    EXPECT_STREQ(PlaceholderTable[kWeekdayBase + 1], "Monday");
    EXPECT_STREQ(PlaceholderTable[kWeekdayBase + 7], "Sunday");
    EXPECT_STREQ(PlaceholderTable[kMonthBase + 1], "January");
    EXPECT_STREQ(PlaceholderTable[kMonthBase + 12], "December");
}

TEST(PlaceholderNames, AreTheElevenNamesJoinedByCommas) {
    EXPECT_EQ(GetPlaceholderNames(), "%Date,%ShortDate,%Day,%YDate,%YShortDate,%YDay,%TDate,"
                                     "%TShortDate,%TDay,%Time,%ShortTime");
}

TEST(PlaceholderValues, FormatEveryValueOfAnOrdinaryMorning) {
    const std::string list = GetPlaceholderValues(LocalDateTime{2026, 1, 5, 9, 5, 7});
    EXPECT_EQ(std::count(list.begin(), list.end(), kValueSeparator), 10);
    const std::vector<std::string> expected = {"Monday, January 05, 2026",
                                               "1/5/2026",
                                               "Monday",
                                               "Sunday, January 04, 2026",
                                               "1/4/2026",
                                               "Sunday",
                                               "Tuesday, January 06, 2026",
                                               "1/6/2026",
                                               "Tuesday",
                                               "9:05:07",
                                               "9:05"};
    EXPECT_EQ(SplitList(list, kValueSeparator), expected);
}

struct BoundaryCase {
    const char* what;
    LocalDateTime now;
    const char* yesterday;
    const char* today;
    const char* tomorrow;
};

TEST(PlaceholderValues, YesterdayAndTomorrowFollowTheCalendarAcrossBoundaries) {
    const BoundaryCase cases[] = {
        {"leap day yesterday",
         {2024, 3, 1, 12, 0, 0},
         "Thursday, February 29, 2024",
         "Friday, March 01, 2024",
         "Saturday, March 02, 2024"},
        {"no leap day in 2023",
         {2023, 3, 1, 12, 0, 0},
         "Tuesday, February 28, 2023",
         "Wednesday, March 01, 2023",
         "Thursday, March 02, 2023"},
        {"century without leap day",
         {2100, 3, 1, 0, 0, 0},
         "Sunday, February 28, 2100",
         "Monday, March 01, 2100",
         "Tuesday, March 02, 2100"},
        {"year 2000 had one",
         {2000, 2, 28, 0, 0, 0},
         "Sunday, February 27, 2000",
         "Monday, February 28, 2000",
         "Tuesday, February 29, 2000"},
        {"new year",
         {2025, 12, 31, 23, 59, 59},
         "Tuesday, December 30, 2025",
         "Wednesday, December 31, 2025",
         "Thursday, January 01, 2026"},
        {"first of the year",
         {2026, 1, 1, 0, 0, 0},
         "Wednesday, December 31, 2025",
         "Thursday, January 01, 2026",
         "Friday, January 02, 2026"},
        {"end of a 30-day month",
         {2026, 4, 30, 8, 0, 0},
         "Wednesday, April 29, 2026",
         "Thursday, April 30, 2026",
         "Friday, May 01, 2026"},
    };
    for (const BoundaryCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto v = SplitList(GetPlaceholderValues(c.now), kValueSeparator);
        ASSERT_EQ(v.size(), 11u);
        EXPECT_EQ(v[3], c.yesterday);
        EXPECT_EQ(v[0], c.today);
        EXPECT_EQ(v[6], c.tomorrow);
    }
}

TEST(PlaceholderValues, ShortDatesHaveNoZeroFill) {
    const auto v = ValuesAt(2024, 3, 1, 12, 0, 0);
    EXPECT_EQ(v[1], "3/1/2024");
    EXPECT_EQ(v[4], "2/29/2024");
    EXPECT_EQ(v[7], "3/2/2024");
}

TEST(PlaceholderValues, HoursHaveOneDigitBelowTenAndMinutesAndSecondsTwo) {
    struct Case {
        int h, m, s;
        const char* time;
        const char* shortTime;
    };
    const Case cases[] = {{0, 7, 3, "0:07:03", "0:07"},
                          {0, 0, 0, "0:00:00", "0:00"},
                          {9, 59, 59, "9:59:59", "9:59"},
                          {10, 0, 9, "10:00:09", "10:00"},
                          {23, 59, 59, "23:59:59", "23:59"}};
    for (const Case& c : cases) {
        const auto v = ValuesAt(2026, 6, 15, c.h, c.m, c.s);
        EXPECT_EQ(v[9], c.time);
        EXPECT_EQ(v[10], c.shortTime);
    }
}

TEST(PlaceholderValues, MidnightComesFromOneReadingOfTheClock) {
    CountingClock clock(LocalDateTime{2026, 12, 31, 23, 59, 59});
    const auto v = SplitList(GetPlaceholderValues(clock), kValueSeparator);
    EXPECT_EQ(clock.reads, 1);
    EXPECT_EQ(v[0], "Thursday, December 31, 2026");
    EXPECT_EQ(v[9], "23:59:59");
    EXPECT_EQ(v[6], "Friday, January 01, 2027");
}

TEST(PlaceholderValues, ImpossibleMonthFromAClockDoesNotReadOutsideTheTable) {
    const auto v = ValuesAt(2026, 13, 1, 0, 0, 0);
    ASSERT_EQ(v.size(), 11u);
    EXPECT_EQ(v[9], "0:00:00");
}

TEST(Calendar, WeekdaysAndDayCountsOfKnownDates) {
    EXPECT_EQ(DaysFromCivil({1970, 1, 1}), 0);
    EXPECT_EQ(IsoWeekday({1970, 1, 1}), 4);
    EXPECT_EQ(IsoWeekday({2026, 12, 7}), 1);
    EXPECT_EQ(IsoWeekday({1969, 12, 28}), 7);
    EXPECT_EQ(AddDays({1970, 1, 1}, -1), (CivilDate{1969, 12, 31}));
    for (long long d = -800000; d < 800000; d += 997) {
        const CivilDate c = CivilFromDays(d);
        ASSERT_TRUE(IsValidCivilDate(c));
        ASSERT_EQ(DaysFromCivil(c), d);
    }
}

TEST(SystemClock, ReadsAPlausibleLocalTime) {
    SystemLocalClock clock;
    const LocalDateTime t = clock.Now();
    EXPECT_TRUE(IsValidCivilDate({t.year, t.month, t.day}));
    EXPECT_GE(t.year, 2020);
    EXPECT_LT(t.hour, 24);
    EXPECT_LT(t.minute, 60);
    EXPECT_LT(t.second, 60);
}

} // namespace
} // namespace tw
