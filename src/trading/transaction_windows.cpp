#include "trading/transaction_windows.h"

#include "ui/procedures.h"

namespace bb {

void registerTransactionWindows(ProcedureRegistry& registry) {
    registry.add("UpdateTransactions", UpdateTransactions);
}

}  // namespace bb
