// The compliance rules a trade must pass before it is written: the
// representative is registered in the customer's state on the trade date,
// and, for a stock or bond purchase or sale, holds a Series 7 licence
// effective on that date.
//
// Each look-up reads by key (never a scan) and leaves the record buffers of
// the files it reads as they were, so a list or form behind the caller
// keeps its record. The files must be open. Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/date.h"

namespace bb {

enum class Registration : std::uint8_t {
    Registered,
    None,   // no registration in the state at all
    Later,  // registered only from a date after the trade
};

// Whether representative `representative` is registered in `state` on
// `date`: any registration in the state effective on or before the date
// will do, since older books may hold the state twice.
Registration registrationOn(std::int32_t representative, std::string_view state, DayNumber date);

enum class Licence : std::uint8_t {
    Licensed,
    None,   // no Series 7 licence on file (or no such representative)
    Later,  // licensed only from a date after the trade
};
Licence series7On(std::int32_t representative, DayNumber date);

// The state of customer `member`, read afresh; blank when there is none.
std::string customerState(std::int32_t member);

}  // namespace bb
