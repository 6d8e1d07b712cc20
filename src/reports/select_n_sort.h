// Select N Sort: the "Select N Sort Records to Print" window, in which the
// user chooses, just before printing a list, letters or labels, which
// customers the report includes (active, inactive or both; marked
// representatives, customer groups and classifications) and their order.
//
// It builds the selection into the filter it is given, and the order into
// the sort (a status the user chooses stands as chosen), in memory only: the Defaults file is not
// written, so the choice lasts until the program ends (or the preferences are saved). Print
// completes; Cancel leaves both as they were.
//
// Used from the GUI thread only.
#pragma once

#include <string_view>

#include "dictionary/files.h"

namespace bb {

// Runs the window over `filter` and `sort` (every caller passes
// CTRL:REPORTFILTER and CTRL:REPORTKEY); ResponseCompleted for Print,
// ResponseCancelled otherwise.
int SelectNSort(TextField filter, TextField sort);

// The procedure as the registry runs it: over the preferences' report
// selection and order.
void runSelectNSort(std::string_view argument);

}  // namespace bb
