// The representative's notes of one kind, listed for a range of dates or a
// month: the suspense dates and the annual events. Each variant asks its
// request window first (the range of dates, the report month) and opens
// only when the user completed it; the list then keeps the representative
// highlighted in the representative reports, and the dates or month, as
// they were when it opened. An empty list is told and closes. Print prints
// what the list shows.
//
// Each variant's procedure describes its window with a RepNotesShape and
// declares and runs it with declareRepNotesList and runRepNotesList. Used from the GUI thread only.
#pragma once

#include <string_view>
#include <vector>

#include "customers/note_rows.h"
#include "dictionary/files.h"
#include "ui/window_decl.h"

namespace bb {

struct RepNotesShape {
    std::string_view procedure;
    std::string_view caption;
    std::string_view request;  // the request window's procedure
    int key;
    std::string_view filter;
    std::string_view format;
    std::vector<FieldRef> columns;
    NoteRows::Computed computed;
    std::string_view print;  // the printout's procedure
};

// The list of `shape`, declared for the run.
const WindowDecl& declareRepNotesList(const RepNotesShape& shape);
// Asks the shape's request and starts the list `list` declared for
// `shape`, which must outlive it.
void runRepNotesList(const WindowDecl& list, const RepNotesShape& shape);

}  // namespace bb
