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
}

}  // namespace bb
