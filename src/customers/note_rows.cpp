#include "customers/note_rows.h"

namespace bb {

void NoteRows::FillRow() {
    BrowseManager::FillRow();
    std::vector<Value>& cells = FillingRow().cells;
    for (const auto& [column, text] : computed_)
        cells[static_cast<std::size_t>(column)] = Value::text(text());
}

}  // namespace bb
