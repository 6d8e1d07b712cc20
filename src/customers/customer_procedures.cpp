#include "customers/customer_procedures.h"

#include "customers/browse_members.h"
#include "customers/customer_groups.h"
#include "customers/customer_printouts.h"
#include "customers/notes.h"
#include "customers/phone_form.h"
#include "customers/phone_list.h"
#include "customers/update_members.h"
#include "ui/procedures.h"

namespace bb {

void registerCustomerProcedures(ProcedureRegistry& registry) {
    registry.add("BrowseMembers", BrowseMembers);
    registry.add("BrowseRepMembers", BrowseRepMembers);
    registry.add("BrowseMPH", BrowseMPH);
    registry.add("BrowseVPH", BrowseVPH);
    registry.add("BrowseRPH", BrowseRPH);
    registry.add("UpdateMembers", UpdateMembers);
    registry.add("UpdateRepMembers", UpdateRepMembers);
    registry.add("UpdateMPH", UpdateMPH);
    registry.add("UpdateVPH", UpdateVPH);
    registry.add("UpdateRPH", UpdateRPH);
    registry.add("UpdateLOG", UpdateLOG);
    registry.add("BrowseLOG", BrowseLOG);
    registry.add("BrowseSuspenseDates", BrowseSuspenseDates);
    registry.add("BrowseAnnualEvents", BrowseAnnualEvents);
    registry.add("PrintLOG", PrintLOG);
    registry.add("PrintSuspenseDates", PrintSuspenseDates);
    registry.add("PrintAnnualEvents", PrintAnnualEvents);
    registry.add("CommitteeAssignments", CommitteeAssignments);
    registry.add("UpdateCommittees", UpdateCommittees);
    registry.add("DeleteCommitteeMembers", DeleteCommitteeMembers);
    registry.add("PrintGroupMembers", PrintGroupMembers);
    registry.add("PrintCustomerDirectory", PrintCustomerDirectory);
    registry.add("PrintBirthdays", PrintBirthdays);
    registry.add("PrintOutdatedObjectives", PrintOutdatedObjectives);
    registry.add("BrowseLetters", BrowseLetters);
    registry.add("UpdateLetters", UpdateLetters);
    registry.add("BrowseLabels", BrowseLabels);
    registry.add("UpdateLabels", UpdateLabels);
    registry.add("PrintFormLetters", PrintFormLetters);
    registry.add("PrintMailingLabels", PrintMailingLabels);
}

}  // namespace bb
