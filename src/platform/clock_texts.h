// The day, date and time as the status bars show them: "Friday, March 5,
// 1999" and "5:07 PM". The frame's clock and the windows that repeat it in
// their own status bars use these, so that all of them read alike.
//
// Pure functions; thread-safe.
#pragma once

#include <string>

#include "platform/date.h"

namespace bb {

// The weekday's name, a comma and the long date; empty for no date.
std::string weekdayAndDate(DayNumber day);
// Hours (1 to 12), two-digit minutes and AM or PM; empty for no time.
std::string clockText(TimeOfDay time);

}  // namespace bb
