// "Representative Reports": the representatives, and the reports printed for
// the highlighted one. Each button sets what its report reads the
// representative from, then starts the report by its procedure name.
#include <memory>
#include <optional>
#include <string_view>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

// A report button: its name, the procedure it starts (counted from 1 as
// CallProcedure counts) and the field the report reads the representative
// from, when it has one.
struct ReportButton {
    std::string_view name;
    int procedure;
    std::optional<FieldRef> representative;
};

const WindowDecl kRepresentativeReports{
    .procedure = "RepresentativeReports",
    .caption = "Representative Reports",
    .recordsName = true,
    .locals = {{"Heading", T_STRING(40)}},
    .fields =
        {
            {.kind = ControlKind::Display,
             .local = "Heading",
             .name = "Browse Representative Reports",
             .heavy = true},
            {.kind = ControlKind::List,
             .name = "Representatives",
             .message = "Select a representative",
             .list = ListDecl{.file = FileId::Representatives,
                              .format = "40L(2)|M~Number~@s5@120L(2)~Name~@s25@",
                              .columns = {REP::REP_NUM, REP::REP_NAME},
                              .orders = {{.key = REP::key::REPRESENTATIVENAMEKEY,
                                          .locator = LocatorKind::Step},
                                         {.key = REP::key::REPRESENTATIVENUMBERKEY}},
                              .hideSelect = true}},
            {.kind = ControlKind::Display, .field = REP::REP_EXT, .prompt = "Extension:"},
        },
    .buttons =
        {
            {.text = "&Transaction Log", .message = "Print the representative's transaction log"},
            {.text = "Cross &Reference", .message = "Print the product cross reference"},
            {.text = "&Check/Security  Log",
             .name = "CheckSecurityLog",
             .message = "Print the log of checks and securities received"},
            {.text = "Account &List", .message = "Print the representative's accounts"},
            {.text = "&Suspense Dates", .message = "The customers' suspense dates"},
            {.text = "&Annual Events", .message = "The customers' annual events"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
    .procedures = {"PrintRepTransactionLog", "PrintRepCrossReference", "PrintCheckSecurityLog",
                   "PrintRepAccounts", "BrowseSuspenseDates", "BrowseAnnualEvents"},
};

const ReportButton kReports[] = {
    {"TransactionLog", 1, TRN::REPRESENTATIVENUMBER},
    {"CrossReference", 2, std::nullopt},
    {"CheckSecurityLog", 3, CHE::REPRESENTATIVENUMBER},
    {"AccountList", 4, std::nullopt},
    {"SuspenseDates", 5, std::nullopt},
    {"AnnualEvents", 6, std::nullopt},
};

class RepresentativeReportsWindow : public WindowManager {
public:
    RepresentativeReportsWindow() : WindowManager(kRepresentativeReports) {}

    int OnAccepted() override {
        for (const ReportButton& report : kReports) {
            if (CurrentEvent().control && CurrentEvent().control == Control(report.name)) {
                run(report);
                return LevelHandled;
            }
        }
        return WindowManager::OnAccepted();
    }

    void SetupControls() override {
        WindowManager::SetupControls();
        SetLocal("Heading", Value::text("Browse Representative Reports"));
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        // Few representatives have an extension; its line shows only when there is one.
        Show(REP::REP_EXT, !text::isBlank(REP::REP_EXT.get()));
    }

private:
    void run(const ReportButton& report) {
        Update();
        if (report.representative)
            buffer(report.representative->file())
                .setInteger(report.representative->index(), REP::REPRESENTATIVENUMBER.get());
        CallProcedure(report.procedure, NoRequest);
    }
};

}  // namespace

void RepresentativeReports(std::string_view) {
    startWindow(std::make_unique<RepresentativeReportsWindow>());
}

}  // namespace bb
