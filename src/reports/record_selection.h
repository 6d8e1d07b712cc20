// Record selection: the filter over the Members file (joined to the group
// memberships) with which the preferences choose the customers that lists,
// letters and labels include. The preferences window and the Select N Sort
// window both build it from the same things: a status choice (active,
// inactive or both) and three marked lists of customer groups,
// classifications and representatives. Each list gives one part, an OR of
// its marked names; the filter is the status choice and the parts, joined
// by AND:
//
//   MBR:Active=1 AND (MBR:Rep_Num='101' OR MBR:Rep_Num='205') AND (CMBRS:Committee='Golf')
//
// Each part is kept in the preferences record as written, without its
// closing parenthesis, so that the windows can mark the lists again; saved
// parts keep that form. A quote in a name is written twice, as the filter
// language reads it.
//
// Pure functions over texts; used from the GUI thread only (the list table
// names the preferences record's fields).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/files.h"

namespace bb {

// One of the three marked lists of a selection.
struct SelectionList {
    std::string_view field;  // what the list's names are compared with: "CMBRS:Committee"
    TextField part;          // where its part is kept: CTRL:COMMFILTER
    // The message shown when every row is marked (the part is then empty).
    std::string_view allMarkedTitle;
    // The refusal when the marked rows' part would not fit where it is kept.
    std::string_view tooManyTitle;
    std::string_view names;  // the rows, as a message names them: "customer groups"
};

// The lists in the order their parts are built: customer groups,
// classifications, representatives.
enum SelectionListIndex : std::size_t { GroupsList, ClassificationsList, RepresentativesList };
const std::array<SelectionList, 3>& selectionLists();

// The text under every all-marked message's title.
inline constexpr std::string_view kAllMarkedText =
    "The entire list is included by default.||You do not need to select each one individually.";

// The status choice that `filter` holds: the 12 characters from where
// "MBR:Active" first occurs ("MBR:Active=1", "MBR:Active=0"), else "Both".
std::string statusChoiceOf(std::string_view filter);

// A row of a marked list: its name (without trailing blanks) and its mark.
struct SelectionRow {
    std::string name;
    bool marked = false;
};

// The part of a list: "(" field "=" name, then " OR " field "=" name for
// each further marked row, each name between quotes with its quotes
// doubled. Empty when no row is marked, and when every row is (the whole
// list is then included anyway).
std::string selectionPart(std::string_view field, const std::vector<SelectionRow>& rows);

// The names a saved part selects, exactly as they were marked. A part
// saved with a quote in a name written once is read as the name it was.
std::vector<std::string> selectedNames(std::string_view part, std::string_view field);

// The filter: the status choice (nothing for "Both"), then each part that
// is not blank (representatives, classifications, groups, in this order),
// closed with ")" and joined by " AND ".
std::string combineSelection(std::string_view statusChoice, std::string_view representatives,
                             std::string_view classifications, std::string_view groups);

}  // namespace bb
