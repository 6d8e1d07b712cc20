// The small windows a report asks its parameters in before it runs: the
// range of dates (with or without the account class) and the month. Each
// sets the report parameters of ProcessValues (StartDate, EndDate,
// FeeCommChoice; BirthMonthShort, BirthdateMonth) and leaves
// ResponseCompleted in LastResponse, or ResponseCancelled when the user
// cancelled.
//
// The range windows open on defaults that depend on who asks: the caller
// passes its own procedure name as the argument
// (procedures().call("SelectDateRange", NoRequest, "BrowseSuspenseDates")),
// so that the defaults never follow a name another window stored last.
// Used from the GUI thread only.
#pragma once

#include <string_view>

namespace bb {

class ProcedureRegistry;

// "Range of Dates for Report": the start and end dates.
void SelectDateRange(std::string_view caller);
// The same, with the account class ("C" commission or "F" fee-based).
void SelectDateRangeClass(std::string_view caller);
// "Report Month": the month of a report, from the twelve month names.
void SelectReportMonth(std::string_view argument);

void registerReportRequests(ProcedureRegistry& registry);

}  // namespace bb
