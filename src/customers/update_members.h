// The customer form: adds, changes and deletes one customer (the Members
// file) for the customer lists. It derives the display and sort names from
// the name fields and the birth month and day from the birth date, takes a
// new customer's defaults from the preferences record, and saves nothing
// until every fact a broker-dealer must keep on file is present.
//
// Two procedures run it: `UpdateMembers` for the full customer list, which
// reads the customer's representative again whenever the form refreshes so
// that the number and name shown match the record, and `UpdateRepMembers`
// for the representative's customer list, which does not. Both are called
// (modal) with the request in PendingRequest. Used from the GUI thread only.
#pragma once

#include <string_view>

namespace bb {

void UpdateMembers(std::string_view argument);
void UpdateRepMembers(std::string_view argument);

}  // namespace bb
