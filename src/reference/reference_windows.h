// The reference-data windows: states, customer classifications,
// representatives and their state registrations, account companies,
// account types and investment objectives. Each procedure reads its
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
// Started from the menu, or called with SelectRequest to choose a company.
void BrowseVendors(std::string_view argument);
void UpdateVendors(std::string_view argument);
// The accounts of the company named in SelectedCompanyName.
void BrowseCompanyAccounts(std::string_view argument);
void BrowseAccountTypes(std::string_view argument);
void UpdateAccountTypes(std::string_view argument);
void BrowseInvestmentTypes(std::string_view argument);
void UpdateInvestmentTypes(std::string_view argument);

void registerReferenceWindows(ProcedureRegistry& registry);

}  // namespace bb
