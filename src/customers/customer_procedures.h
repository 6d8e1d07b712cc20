// The customer windows' procedures, registered under their names so that
// the frame, the lists and the tests reach them the same way. Used from the
// GUI thread only.
#pragma once

namespace bb {

class ProcedureRegistry;

void registerCustomerProcedures(ProcedureRegistry& registry);

}  // namespace bb
