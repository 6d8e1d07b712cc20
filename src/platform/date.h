// Dates as day numbers and times of day, and the clock they come from.
//
// A date is a day number counted so that a day number modulo 7 is its
// weekday, Sunday 0: January 1, 1801 (a Thursday, and the first date there
// is) is day 4. 0 means "no date"; 1 to 3 are no dates either.
// A time of day counts hundredths of a second since midnight plus one, so
// that midnight is 1 and 0 means "no time"; the last hundredth of a day is
// 8,640,000. Both fit the LONG fields that hold them.
//
// `today()` and `clockTime()` read the one clock of the process. A test fixes
// it with `Clock::fix`, so that birthdays and cut-off dates can be tested on
// any day. The clock is read and fixed from the GUI thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bb {

using DayNumber = std::int32_t;
using TimeOfDay = std::int32_t;

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

constexpr DayNumber kNoDate = 0;
constexpr TimeOfDay kNoTime = 0;
constexpr TimeOfDay kLastTimeOfDay = 8'640'000;

// Day number of a calendar date, or nullopt when the date does not exist or
// lies outside 1801-01-01 .. 9999-12-31.
std::optional<DayNumber> dayNumber(int year, int month, int day);
// Calendar date of a day number; {0,0,0} for 0 or a number out of range.
CalendarDate calendarDate(DayNumber day);

int yearOf(DayNumber day);
int monthOf(DayNumber day);
int dayOf(DayNumber day);
// The day number modulo 7: 0 Sunday .. 6 Saturday; -1 for no date.
int weekday(DayNumber day);
bool isLeapYear(int year);
int daysInMonth(int year, int month);

// "January" .. "December"; empty for a month outside 1..12.
std::string monthName(int month);
// "Jan" .. "Dec".
std::string shortMonthName(int month);
// Month number of a full or three-letter month name, any case; 0 if none.
int monthFromName(std::string_view name);
// "March 5, 1999"; empty for no date.
std::string longDate(DayNumber day);
// A day of the month with its suffix: "1st", "2nd", "3rd", "11th", "22nd".
std::string ordinalDay(int day);

// Time of day from hours, minutes, seconds and hundredths.
TimeOfDay timeOfDay(int hours, int minutes, int seconds, int hundredths = 0);

// The process clock.
class Clock {
public:
    static DayNumber today();
    static TimeOfDay now();
    // From now on today() and now() return these values.
    static void fix(DayNumber day, TimeOfDay time = timeOfDay(12, 0, 0));
    // Back to the system clock.
    static void release();
};

}  // namespace bb
