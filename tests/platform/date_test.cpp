#include "platform/date.h"

#include <gtest/gtest.h>

#include <chrono>
#include <utility>

namespace bb {
namespace {

TEST(Date, DayFourIsTheFirstOfJanuary1801AndZeroIsNoDate) {
    EXPECT_EQ(dayNumber(1801, 1, 1), 4);
    EXPECT_EQ(calendarDate(4), (CalendarDate{1801, 1, 1}));
    EXPECT_EQ(calendarDate(0), CalendarDate{});
    EXPECT_EQ(calendarDate(-5), CalendarDate{});
    EXPECT_EQ(monthOf(0), 0);
    EXPECT_EQ(weekday(0), -1);
    EXPECT_EQ(longDate(0), "");
    EXPECT_FALSE(dayNumber(1800, 12, 31).has_value());
    EXPECT_TRUE(dayNumber(9999, 12, 31).has_value());
    EXPECT_FALSE(dayNumber(10000, 1, 1).has_value());
}

TEST(Date, EveryDayRoundTripsAndFollowsTheDayBefore) {
    const DayNumber last = *dayNumber(2100, 12, 31);
    CalendarDate previous = calendarDate(4);
    for (DayNumber d = 5; d <= last; ++d) {
        const CalendarDate c = calendarDate(d);
        ASSERT_EQ(dayNumber(c.year, c.month, c.day), d);
        const bool nextDay = c.day == previous.day + 1 && c.month == previous.month;
        const bool nextMonth =
            c.day == 1 && previous.day == daysInMonth(previous.year, previous.month);
        ASSERT_TRUE(nextDay || nextMonth) << c.year << '-' << c.month << '-' << c.day;
        previous = c;
    }
}

TEST(Date, LeapYearsAndMonthEnds) {
    const std::tuple<int, int, int, bool> cases[] = {
        {1900, 2, 29, false}, {2000, 2, 29, true}, {2024, 2, 29, true},  {2023, 2, 29, false},
        {2023, 4, 31, false}, {2023, 4, 30, true}, {2023, 12, 31, true}, {2023, 13, 1, false},
        {2023, 0, 1, false},  {2023, 1, 0, false}, {2100, 2, 29, false}, {2400, 2, 29, true},
    };
    for (const auto& [y, m, d, valid] : cases) {
        EXPECT_EQ(dayNumber(y, m, d).has_value(), valid) << y << '-' << m << '-' << d;
    }
    EXPECT_EQ(*dayNumber(2024, 3, 1) - *dayNumber(2024, 2, 28), 2);
    EXPECT_EQ(*dayNumber(2023, 3, 1) - *dayNumber(2023, 2, 28), 1);
    EXPECT_EQ(*dayNumber(2001, 1, 1) - *dayNumber(2000, 1, 1), 366);
}

TEST(Date, WeekdaysNamesAndLongForm) {
    EXPECT_EQ(weekday(*dayNumber(2026, 12, 9)), 3);  // a Wednesday
    EXPECT_EQ(weekday(*dayNumber(1801, 1, 1)), 4);   // a Thursday
    EXPECT_EQ(weekday(*dayNumber(2000, 1, 2)), 0);   // a Sunday
    EXPECT_EQ(longDate(*dayNumber(1999, 3, 5)), "March 5, 1999");
    EXPECT_EQ(monthName(12), "December");
    EXPECT_EQ(shortMonthName(9), "Sep");
    EXPECT_EQ(monthName(13), "");
    EXPECT_EQ(monthFromName("march"), 3);
    EXPECT_EQ(monthFromName(" SEP "), 9);
    EXPECT_EQ(monthFromName("Ma"), 0);
    EXPECT_EQ(monthFromName("Marchy"), 0);
}

// The frame finds today's weekday as the day number modulo 7, Sunday 0: the
// day numbers must make that true on every date.
TEST(Date, DaysOfTheMonthTakeTheirSuffix) {
    const std::pair<int, const char*> cases[] = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {11, "11th"},
        {12, "12th"}, {13, "13th"}, {20, "20th"}, {21, "21st"}, {22, "22nd"},
        {23, "23rd"}, {24, "24th"}, {30, "30th"}, {31, "31st"},
    };
    for (const auto& [day, text] : cases) EXPECT_EQ(ordinalDay(day), text) << day;
}

TEST(Date, ADayNumberModuloSevenIsItsWeekday) {
    const DayNumber friday = *dayNumber(1999, 3, 5);
    EXPECT_EQ(friday % 7, 5);
    EXPECT_EQ(weekday(friday), 5);
    // Days 1 to 3 (the last days of 1800) are no dates.
    for (DayNumber d : {1, 2, 3}) {
        EXPECT_EQ(calendarDate(d), CalendarDate{}) << d;
        EXPECT_EQ(weekday(d), -1) << d;
    }
    namespace chrono = std::chrono;
    for (int y : {1801, 1899, 1900, 1999, 2000, 2024, 2026, 2100, 2400, 9999}) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= daysInMonth(y, m); ++d) {
                const chrono::year_month_day date{chrono::year{y},
                                                  chrono::month{static_cast<unsigned>(m)},
                                                  chrono::day{static_cast<unsigned>(d)}};
                const DayNumber n = *dayNumber(y, m, d);
                const auto expected =
                    static_cast<int>(chrono::weekday{chrono::sys_days{date}}.c_encoding());
                ASSERT_EQ(n % 7, expected) << y << '-' << m << '-' << d;
                ASSERT_EQ(weekday(n), expected) << y << '-' << m << '-' << d;
            }
        }
    }
}

TEST(Date, TimesOfDayStartAtOne) {
    EXPECT_EQ(timeOfDay(0, 0, 0), 1);
    EXPECT_EQ(timeOfDay(23, 59, 59, 99), kLastTimeOfDay);
    EXPECT_EQ(timeOfDay(1, 0, 0), 360001);
}

TEST(Date, TheClockCanBeFixedAndReleased) {
    const DayNumber day = *dayNumber(2020, 2, 29);
    Clock::fix(day, timeOfDay(8, 30, 0));
    EXPECT_EQ(Clock::today(), day);
    EXPECT_EQ(Clock::now(), timeOfDay(8, 30, 0));
    Clock::release();
    EXPECT_GT(Clock::today(), *dayNumber(2020, 1, 1));
    EXPECT_GE(Clock::now(), 1);
    EXPECT_LE(Clock::now(), kLastTimeOfDay);
}

}  // namespace
}  // namespace bb
