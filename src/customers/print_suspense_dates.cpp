// "Suspense Dates": the representative's suspense notes of a range of
// dates, as the suspense dates list shows them.
#include "customers/note_report.h"
#include "customers/notes.h"
#include "dictionary/process_values.h"
#include "platform/picture.h"

namespace bb {
namespace {

std::string rangeHeading() {
    const Picture date = *Picture::compile("@d2");
    const ProcessValues& values = processValues();
    return date.format(Value::number(values.StartDate)) + " through " +
           date.format(Value::number(values.EndDate));
}

const NoteReportShape kShape{
    .procedure = "PrintSuspenseDates",
    .title = "Suspense Dates",
    .key = LOG::key::SUSPEND_KEY,
    .rangeField = LOG::REPRESENTATIVENUMBER,
    .rangeValue = [] { return LOG::REPRESENTATIVENUMBER.get(); },
    .filter = "LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate",
    .heading = rangeHeading,
    .representative = [] { return LOG::REPRESENTATIVENUMBER.get(); },
};

}  // namespace

void PrintSuspenseDates(std::string_view) {
    startNoteReport(kShape);
}

}  // namespace bb
