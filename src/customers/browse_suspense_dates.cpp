// "Customer Suspense Dates": the representative's suspense notes whose
// follow-up date lies in a range of dates, both ends included.
#include "customers/notes.h"
#include "customers/rep_notes_list.h"

namespace bb {
namespace {

const RepNotesShape kShape{
    .procedure = "BrowseSuspenseDates",
    .caption = "Customer Suspense Dates",
    .request = "SelectDateRange",
    .key = LOG::key::SUSPEND_KEY,
    .filter = "(LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate)",
    .format = "48R(2)|M~Date~C(0)@d2@141L(2)|M~Customer~@s34@108L(2)|M~Subject~@s25@",
    .columns = {LOG::DATE2, MBR::MEMBERNAME, LOG::SUBJECT},
    .computed = {},
    .print = "PrintSuspenseDates",
};

const WindowDecl& kBrowseSuspenseDates = declareRepNotesList(kShape);

}  // namespace

void BrowseSuspenseDates(std::string_view) {
    runRepNotesList(kBrowseSuspenseDates, kShape);
}

}  // namespace bb
