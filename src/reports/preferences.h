// Preferences: the one record of the Defaults file, which holds the
// defaults for data entry (a new customer's city, state, representative,
// classification, phone type ...), the update-notification period with its
// cut-off date, and the selection and order of the customers that lists,
// letters and labels print. The record stays in its buffer for the whole
// run; every window reads it there.
//
// `Preferences` with argument "0" loads the record, creating it when the
// file is empty and repairing a bad period; the splash calls it so at
// start-up. With "1" it loads the record and opens the "Preferences
// (Default Settings)" window, modally: OK writes the record, Cancel leaves
// the record in memory as it was before the call.
//
// Used from the GUI thread only.
#pragma once

#include <optional>
#include <string_view>

#include "data/severity.h"
#include "platform/date.h"

namespace bb {

// The procedure, as the registry runs it.
void Preferences(std::string_view argument);

// Loads the preferences record into its buffer (the file must be open):
// the first record of the file, or a new one primed with the report filter
// "MBR:Active=1", the order "MBR:CompanyName" and a 3-year period when the
// file has none. A stored period other than 1, 2 or 3 is set to 3, with its
// cut-off date, and written back. SeverityNone, or the severity of the
// failure the file manager reported.
Severity loadPreferences();

// The update-notification period in years, when the preferences record
// holds a valid one (a number 1, 2 or 3).
std::optional<int> outdatePeriod();
// The cut-off date of a period: customer data last updated on or before it
// is outdated.
DayNumber outdateCutOff(int years);

}  // namespace bb
