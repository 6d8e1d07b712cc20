// The customer list: the program's home window. A list of the customers
// by company name, coloured by their state (inactive, birthday, outdated
// financial data, employee-related), with the highlighted customer's name,
// representative, address, e-mail and phone numbers beside it, a choice of
// active, inactive or all customers, and buttons to the customer's phones,
// accounts and notes and to the customer form.
//
// `BrowseMembers` lists every customer and is started from the frame;
// `BrowseRepMembers` lists the customers of the representative whose
// record is in the buffer when it opens. Only one customer list is open at
// a time: asking for another brings the open one to the front. Both are
// started windows (independent children of the frame). Used from the GUI
// thread only.
#pragma once

#include <string_view>

#include "ui/window_decl.h"

namespace bb {

void BrowseMembers(std::string_view argument);
void BrowseRepMembers(std::string_view argument);

// The colours of a customer's row, from the customer in the buffer, the
// preferences' cut-off date for outdated data and today's date.
RowColours customerRowColours(int column);

}  // namespace bb
