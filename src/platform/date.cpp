#include "platform/date.h"

#include <array>
#include <chrono>
#include <ctime>

#include "platform/text.h"

namespace bb {

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CalendarDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
    return {year, month, day};
}

// Day 0 would be Sunday, 1800-12-28, so that every day number modulo 7 is
// its weekday; the dates themselves begin at Thursday, 1801-01-01 (day 4).
const std::int64_t kEpoch = daysFromCivil(1800, 12, 28);
const DayNumber kFirstDay = static_cast<DayNumber>(daysFromCivil(1801, 1, 1) - kEpoch);
const DayNumber kLastDay = static_cast<DayNumber>(daysFromCivil(9999, 12, 31) - kEpoch);

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

struct FixedClock {
    bool fixed = false;
    DayNumber day = 0;
    TimeOfDay time = 0;
};
FixedClock fixedClock;

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<DayNumber> dayNumber(int year, int month, int day) {
    if (year < 1801 || year > 9999 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return static_cast<DayNumber>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch);
}

CalendarDate calendarDate(DayNumber day) {
    if (day < kFirstDay || day > kLastDay) return {};
    return civilFromDays(kEpoch + day);
}

int yearOf(DayNumber day) {
    return calendarDate(day).year;
}
int monthOf(DayNumber day) {
    return calendarDate(day).month;
}
int dayOf(DayNumber day) {
    return calendarDate(day).day;
}

int weekday(DayNumber day) {
    if (day < kFirstDay || day > kLastDay) return -1;
    return day % 7;
}

std::string monthName(int month) {
    return month >= 1 && month <= 12 ? kMonthNames[month - 1] : "";
}

std::string shortMonthName(int month) {
    return monthName(month).substr(0, 3);
}

int monthFromName(std::string_view name) {
    const std::string wanted = text::upper(text::trim(name));
    if (wanted.size() < 3) return 0;
    for (int m = 1; m <= 12; ++m) {
        const std::string full = text::upper(kMonthNames[m - 1]);
        if (wanted == full || wanted == full.substr(0, 3)) return m;
    }
    return 0;
}

std::string longDate(DayNumber day) {
    const CalendarDate c = calendarDate(day);
    if (c.year == 0) return "";
    return monthName(c.month) + " " + std::to_string(c.day) + ", " + std::to_string(c.year);
}

std::string ordinalDay(int day) {
    // The teens take "th" whatever their last digit.
    const bool teen = day % 100 >= 11 && day % 100 <= 13;
    const char* suffix = "th";
    if (!teen && day % 10 == 1) suffix = "st";
    if (!teen && day % 10 == 2) suffix = "nd";
    if (!teen && day % 10 == 3) suffix = "rd";
    return std::to_string(day) + suffix;
}

TimeOfDay timeOfDay(int hours, int minutes, int seconds, int hundredths) {
    return ((hours * 60 + minutes) * 60 + seconds) * 100 + hundredths + 1;
}

DayNumber Clock::today() {
    if (fixedClock.fixed) return fixedClock.day;
    const std::tm tm = localNow();
    return *dayNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

TimeOfDay Clock::now() {
    if (fixedClock.fixed) return fixedClock.time;
    using namespace std::chrono;
    const std::tm tm = localNow();
    const auto centis =
        duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count() / 10 % 100;
    return timeOfDay(tm.tm_hour, tm.tm_min, tm.tm_sec, static_cast<int>(centis));
}

void Clock::fix(DayNumber day, TimeOfDay time) {
    fixedClock = {true, day, time};
}

void Clock::release() {
    fixedClock = {};
}

}  // namespace bb
