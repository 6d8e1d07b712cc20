// "Customer Notes": the note highlighted in the customer's notes, printed.
#include "customers/note_report.h"
#include "customers/notes.h"

namespace bb {
namespace {

const NoteReportShape kShape{
    .procedure = "PrintLOG",
    .title = "Customer Notes",
    .key = LOG::key::LOGNUMBERKEY,
    .rangeField = LOG::LOGNUMBER,
    .rangeValue = [] { return LOG::LOGNUMBER.get(); },
    .filter = {},
    .heading = nullptr,
    .representative = [] { return MBR::REPRESENTATIVENUMBER.get(); },
};

}  // namespace

void PrintLOG(std::string_view) {
    startNoteReport(kShape);
}

}  // namespace bb
