#include "shell/program_procedures.h"

#include "customers/customer_procedures.h"
#include "reference/reference_windows.h"
#include "reports/preferences.h"
#include "reports/report_requests.h"
#include "reports/select_n_sort.h"
#include "shell/sponsor_window.h"
#include "ui/procedures.h"

namespace bb {

void registerProcedures(ProcedureRegistry& registry) {
    registerCustomerProcedures(registry);
    registry.add("Preferences", Preferences);
    registry.add("SelectNSort", runSelectNSort);
    registerReportRequests(registry);
    registerSponsorWindow(registry);
    registerReferenceWindows(registry);
}

}  // namespace bb
