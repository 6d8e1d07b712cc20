#include "customers/customer_procedures.h"

#include "customers/phone_form.h"
#include "customers/update_members.h"
#include "ui/procedures.h"

namespace bb {

void registerCustomerProcedures(ProcedureRegistry& registry) {
    registry.add("UpdateMembers", UpdateMembers);
    registry.add("UpdateRepMembers", UpdateRepMembers);
    registry.add("UpdateMPH", UpdateMPH);
    registry.add("UpdateVPH", UpdateVPH);
    registry.add("UpdateRPH", UpdateRPH);
}

}  // namespace bb
