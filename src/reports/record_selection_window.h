// What the preferences window and the Select N Sort window share: a status
// choice (the window variable `StatusChoice`) and three marked lists, of
// customer groups, classifications and representatives, that choose the
// customers reports include (reports/record_selection.h). When the window
// opens, the status choice is taken from the filter and each list's rows
// are marked again from the part saved in the preferences record; OK
// builds the parts and the filter again.
//
// Used from the GUI thread only, as every window.
#pragma once

#include <array>
#include <string_view>

#include "dictionary/files.h"
#include "reports/record_selection.h"
#include "ui/window_manager.h"

namespace bb {

// The status choice: "Active", "Inactive" or "All" customers.
inline constexpr TextVariable kStatusChoice{"StatusChoice", 20};

// The records a marked list of the selection shows, laid out by `format`
// (the two windows lay the same lists out differently).
DropDecl selectionMarks(SelectionListIndex list, std::string_view format);

class RecordSelectionWindow : public WindowManager {
public:
    // `lists` are the prompts of the window's marked lists, in the order of
    // selectionLists(); `filter` is the filter the window builds into.
    RecordSelectionWindow(const WindowDecl& decl, std::array<std::string_view, 3> lists,
                          TextField filter);

    // Opens as the base does, with the status choice and the marks of the
    // saved selection.
    void Open() override;
    // A list whose part would not fit where it is kept is refused.
    bool CheckFields() override;

protected:
    // Marks the rows of each list that the saved parts select, and nothing else.
    void MarkSavedSelection();
    // Builds the parts and the filter from the window, telling of each list
    // whose rows are all marked.
    void BuildSelection();

private:
    std::vector<SelectionRow> rowsOf(std::size_t list) const;

    std::array<std::string_view, 3> lists_;
    TextField filter_;
};

}  // namespace bb
