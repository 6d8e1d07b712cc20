// "Annual Events": the representative's annual events of a month, as the
// annual events list shows them.
#include "customers/note_report.h"
#include "customers/notes.h"
#include "dictionary/process_values.h"
#include "platform/date.h"

namespace bb {
namespace {

std::string monthHeading() {
    return "Month of " + monthName(processValues().BirthMonthShort);
}

const NoteReportShape kShape{
    .procedure = "PrintAnnualEvents",
    .title = "Annual Events",
    .key = LOG::key::ANNUAL_KEY,
    .rangeField = LOG::REPRESENTATIVENUMBER,
    .rangeValue = [] { return LOG::REPRESENTATIVENUMBER.get(); },
    .filter = "LOG:Suspend = 'A' AND LOG:MonthCode = BirthMonthShort",
    .heading = monthHeading,
    .representative = [] { return LOG::REPRESENTATIVENUMBER.get(); },
};

}  // namespace

void PrintAnnualEvents(std::string_view) {
    startNoteReport(kShape);
}

}  // namespace bb
