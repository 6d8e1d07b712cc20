#include "shell/program_procedures.h"

#include <string>
#include <string_view>

#include "catalogue/catalogue_windows.h"
#include "customers/customer_procedures.h"
#include "reference/reference_windows.h"
#include "reports/preferences.h"
#include "reports/report_requests.h"
#include "reports/select_n_sort.h"
#include "shell/sponsor_window.h"
#include "trading/account_procedures.h"
#include "trading/transaction_windows.h"
#include "ui/procedures.h"

namespace bb {
namespace {

// Procedures the menus and windows name that are not built yet: they
// answer that they are not defined, and a window's declaration that names
// one still resolves. A procedure leaves this list when it is built.
constexpr std::string_view kNotBuiltYet[] = {
    "BrowseCheckSecurityReceipt",
    "BrowseCommissionTransactions",
    "BrowseTransactions",
    "PrintCheckSecurityLog",
    "PrintCompanyAccounts",
    "PrintCustomerAccounts",
    "PrintRepAccounts",
    "PrintRepCrossReference",
    "PrintRepTransactionLog",
    "PrintSecurityCrossReference",
};

}  // namespace

void registerProcedures(ProcedureRegistry& registry) {
    for (std::string_view name : kNotBuiltYet) registry.addUnbuilt(std::string(name));
    registerCustomerProcedures(registry);
    registry.add("Preferences", Preferences);
    registry.add("SelectNSort", runSelectNSort);
    registerReportRequests(registry);
    registerSponsorWindow(registry);
    registerReferenceWindows(registry);
    registerCatalogueWindows(registry);
    registerAccountProcedures(registry);
    registerTransactionWindows(registry);
}

}  // namespace bb
