// The process-wide values that procedures share: the name of the procedure
// that opened last, the pending request and the last response between a
// browse and its form, the pending toolbar navigation, the process-wide
// texts that windows hand to one another, and the report parameters that
// the request windows set and the reports' filters read by name.
//
// Used from the GUI thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace bb {

// Request codes in PendingRequest.
enum Request : int {
    NoRequest = 0,
    InsertRequest = 1,
    ChangeRequest = 2,
    DeleteRequest = 3,
    SelectRequest = 4,
    ProcessRequest = 5,
};

// Response codes in LastResponse; 0 counts as cancelled.
enum Response : int {
    NoResponse = 0,
    ResponseCompleted = 1,
    ResponseCancelled = 2,
};

// A text of a fixed width: longer values are cut, trailing spaces dropped.
template <std::size_t Width>
class GlobalText {
public:
    const std::string& get() const { return value_; }
    void set(std::string_view v) { value_ = text::fit(v, Width); }
    void clear() { value_.clear(); }
    static constexpr std::size_t width() { return Width; }

private:
    std::string value_;
};

struct ProcessValues {
    GlobalText<30> CurrentProcedure;
    GlobalText<40> SelectedCompanyName;
    int PendingRequest = NoRequest;
    int LastResponse = NoResponse;
    // The toolbar navigation request a browse passes to its update form.
    int VCRRequest = 0;
    // 1 while a customer form is open; the customer groups window reads it.
    int CustomerFormOpen = 0;
    // The window ids of the open customer list and customer groups window, 0 for none.
    int CustomerListThread = 0;
    int GroupsWindowThread = 0;
    // The report parameters: the dates of a range (day numbers), the
    // account class chosen with them ("C" or "F"), the month chosen for a
    // report (its number and name), and whether a new trade asks about
    // checks and securities received ("Yes" or "No").
    std::int32_t StartDate = 0;
    std::int32_t EndDate = 0;
    GlobalText<1> FeeCommChoice;
    std::int32_t BirthMonthShort = 0;
    GlobalText<20> BirthdateMonth;
    GlobalText<3> ReceiptsPrompt;
};

ProcessValues& processValues();

// What happens before the program body runs: every process-wide text blank,
// the request, response, navigation and report values 0, every file's record
// buffer cleared, in dictionary order, and the report parameters bound by
// name for filters (once: they stay bound for the whole run).
void loadProgram();

}  // namespace bb
