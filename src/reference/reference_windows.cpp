#include "reference/reference_windows.h"

#include "ui/procedures.h"

namespace bb {

void registerReferenceWindows(ProcedureRegistry& registry) {
    registry.add("BrowseRepresentatives", BrowseRepresentatives);
    registry.add("RepresentativeReports", RepresentativeReports);
    registry.add("BrowseStates", BrowseStates);
    registry.add("BrowseMembershipTypes", BrowseMembershipTypes);
    registry.add("UpdateStates", UpdateStates);
    registry.add("UpdateMembershipTypes", UpdateMembershipTypes);
    registry.add("UpdateRepStates", UpdateRepStates);
    registry.add("UpdateRepresentatives", UpdateRepresentatives);
    registry.add("BrowseVendors", BrowseVendors);
    registry.add("UpdateVendors", UpdateVendors);
    registry.add("BrowseCompanyAccounts", BrowseCompanyAccounts);
    registry.add("BrowseAccountTypes", BrowseAccountTypes);
    registry.add("UpdateAccountTypes", UpdateAccountTypes);
    registry.add("BrowseInvestmentTypes", BrowseInvestmentTypes);
    registry.add("UpdateInvestmentTypes", UpdateInvestmentTypes);
}

}  // namespace bb
