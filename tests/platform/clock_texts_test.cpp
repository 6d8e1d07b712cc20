// The day, date and time that the status bars show.
#include "platform/clock_texts.h"

#include <gtest/gtest.h>

namespace bb {
namespace {

TEST(ClockTexts, WeekdayNameCommaAndLongDate) {
    const std::tuple<int, int, int, const char*> cases[] = {
        {1999, 3, 5, "Friday, March 5, 1999"},         {1999, 3, 7, "Sunday, March 7, 1999"},
        {1999, 3, 10, "Wednesday, March 10, 1999"},    {2000, 2, 29, "Tuesday, February 29, 2000"},
        {2024, 12, 28, "Saturday, December 28, 2024"}, {1801, 1, 1, "Thursday, January 1, 1801"},
    };
    for (const auto& [year, month, day, expected] : cases)
        EXPECT_EQ(weekdayAndDate(*dayNumber(year, month, day)), expected);
    EXPECT_EQ(weekdayAndDate(kNoDate), "");
}

TEST(ClockTexts, HoursMinutesAndMorningOrAfternoon) {
    const std::tuple<int, int, int, const char*> cases[] = {
        {0, 0, 0, "12:00 AM"},    {0, 59, 59, "12:59 AM"}, {9, 5, 0, "9:05 AM"},
        {11, 59, 59, "11:59 AM"}, {12, 0, 0, "12:00 PM"},  {17, 7, 30, "5:07 PM"},
        {23, 59, 59, "11:59 PM"},
    };
    for (const auto& [hours, minutes, seconds, expected] : cases)
        EXPECT_EQ(clockText(timeOfDay(hours, minutes, seconds)), expected);
    EXPECT_EQ(clockText(kLastTimeOfDay), "11:59 PM");
    EXPECT_EQ(clockText(kNoTime), "");
    EXPECT_EQ(clockText(kLastTimeOfDay + 1), "");
}

}  // namespace
}  // namespace bb
