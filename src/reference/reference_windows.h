// The reference-data windows: states, customer classifications,
// representatives and their state registrations. Each procedure reads its
// request from PendingRequest and leaves its response in LastResponse;
// lists start as children of the frame, forms run modally.
//
// registerReferenceWindows puts every one of them in a procedure registry
// under its procedure name, which is how the frame's menus, other windows
// and the tests reach them. Used from the GUI thread only.
#pragma once

#include <string_view>

namespace bb {

class ProcedureRegistry;

void BrowseRepresentatives(std::string_view argument);
void RepresentativeReports(std::string_view argument);
void BrowseStates(std::string_view argument);
void BrowseMembershipTypes(std::string_view argument);
void UpdateStates(std::string_view argument);
void UpdateMembershipTypes(std::string_view argument);
void UpdateRepStates(std::string_view argument);
void UpdateRepresentatives(std::string_view argument);

void registerReferenceWindows(ProcedureRegistry& registry);

}  // namespace bb
