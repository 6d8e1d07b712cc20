#include "platform/clock_texts.h"

#include <array>
#include <string_view>

#include "platform/text.h"

namespace bb {

namespace {
// Nine characters each, Sunday first: the weekday number indexes it.
constexpr std::array<std::string_view, 7> kWeekdays = {
    "Sunday   ", "Monday   ", "Tuesday  ", "Wednesday", "Thursday ", "Friday   ", "Saturday "};
constexpr TimeOfDay kHundredthsPerMinute = 60 * 100;
}  // namespace

std::string weekdayAndDate(DayNumber day) {
    const int index = weekday(day);
    if (index < 0) return "";
    return std::string(text::clip(kWeekdays[static_cast<std::size_t>(index)])) + ", " +
           longDate(day);
}

std::string clockText(TimeOfDay time) {
    if (time < 1 || time > kLastTimeOfDay) return "";
    const int minutes = (time - 1) / kHundredthsPerMinute;
    const int hours = minutes / 60;
    const int hour12 = hours % 12 == 0 ? 12 : hours % 12;
    const int minute = minutes % 60;
    return std::to_string(hour12) + (minute < 10 ? ":0" : ":") + std::to_string(minute) +
           (hours < 12 ? " AM" : " PM");
}

}  // namespace bb
