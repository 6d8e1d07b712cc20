// A customer's accounts: the list of one customer's accounts and the
// account form. Both are called (modal) with their request in
// PendingRequest and leave their response in LastResponse.
//
// `BrowseAccountRegistration` lists the accounts of the customer whose
// Members record is in the buffer when it opens, and keeps to that customer;
// with no customer it says so and answers cancelled. `UpdateAccountRegistration`
// adds, changes and deletes the account in the buffer; a change of class
// reaches every transaction of the account in the same transaction.
//
// registerAccountProcedures puts both in a procedure registry under their
// names. Used from the GUI thread only.
#pragma once

#include <string_view>

#include "ui/window_decl.h"

namespace bb {

class ProcedureRegistry;

void BrowseAccountRegistration(std::string_view argument);
void UpdateAccountRegistration(std::string_view argument);

// The colours of an account's row, from the account and its customer in
// the buffers, the preferences' cut-off date for outdated objectives and
// today's date.
RowColours accountRowColours(int column);

void registerAccountProcedures(ProcedureRegistry& registry);

}  // namespace bb
