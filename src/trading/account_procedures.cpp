#include "trading/account_procedures.h"

#include "ui/procedures.h"

namespace bb {

void registerAccountProcedures(ProcedureRegistry& registry) {
    registry.add("BrowseAccountRegistration", BrowseAccountRegistration);
    registry.add("UpdateAccountRegistration", UpdateAccountRegistration);
}

}  // namespace bb
