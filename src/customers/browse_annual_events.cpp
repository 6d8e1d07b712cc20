// "Customer Annual Events": the representative's annual events of a month,
// in the order of their days.
#include "customers/note_texts.h"
#include "customers/notes.h"
#include "customers/rep_notes_list.h"

namespace bb {
namespace {

const RepNotesShape kShape{
    .procedure = "BrowseAnnualEvents",
    .caption = "Customer Annual Events",
    .request = "SelectReportMonth",
    .key = LOG::key::ANNUAL_KEY,
    .filter = "(LOG:Suspend = 'A' AND LOG:MonthCode = BirthMonthShort)",
    .format =
        "62L(3)|M~Event Date~L(2)@s15@131L(3)|M~Customer~L(2)@s34@"
        "108L(3)|M~Subject~L(2)@s25@",
    // The event's date is computed per row.
    .columns = {LOG::MONTHTEXT, MBR::MEMBERNAME, LOG::SUBJECT},
    .computed = {{0, annualEventText}},
    .print = "PrintAnnualEvents",
};

const WindowDecl& kBrowseAnnualEvents = declareRepNotesList(kShape);

}  // namespace

void BrowseAnnualEvents(std::string_view) {
    runRepNotesList(kBrowseAnnualEvents, kShape);
}

}  // namespace bb
