// The transaction windows' procedures, registered under their names so
// that the lists, the frame and the tests reach them the same way. Each
// reads its request from PendingRequest and leaves its response in
// LastResponse. Used from the GUI thread only.
#pragma once

#include <string_view>

namespace bb {

class ProcedureRegistry;

// The form of one trade of the account whose registration number the
// calling list is limited to (a new trade is primed with it).
void UpdateTransactions(std::string_view argument);

void registerTransactionWindows(ProcedureRegistry& registry);

}  // namespace bb
