// The printouts of notes: one customer's note, a representative's suspense
// dates in a range, and a representative's annual events of a month. Each
// note prints as a block: the customer's name, the kind line, the subject
// and the note's text; every page ends with its number, the representative
// line and the date printed. The lists' printouts add a heading (the range
// or the month) and the column heading "Name/Date/Subject/Text".
//
// Each printout's procedure describes it with a NoteReportShape and starts
// it with startNoteReport; the report reads what it prints from the buffers
// as its caller left them (the highlighted note, the customer) and the
// report parameters, once, when it starts. Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/files.h"
#include "reporting/report_layout.h"

namespace bb {

struct NoteReportShape {
    std::string_view procedure;
    std::string_view title;
    int key;
    // The key's leading field the report keeps to, and its value when the
    // report starts (the note's number, the representative).
    FieldRef rangeField;
    std::int32_t (*rangeValue)();
    std::string_view filter;  // empty: none
    // The heading under the title, or null for none.
    std::string (*heading)();
    // The representative named in the footer.
    std::int32_t (*representative)();
};

// Starts the printout of `shape`, which must outlive it.
void startNoteReport(const NoteReportShape& shape);

// The pages of a notes printout titled `title`, with `heading` under the
// title (none when empty) and `representative` in every page's footer; its
// one detail band prints the note in the buffers.
ReportLayout noteReportLayout(std::string_view title, const std::string& heading,
                              const std::string& representative);

}  // namespace bb
