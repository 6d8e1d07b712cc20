// "Representative Reports": the representatives, and the reports printed for
// the highlighted one. Each button sets what its report reads the
// representative from, then starts the report by its procedure name.
#include <memory>
#include <string_view>
#include <utility>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr TextVariable kHeading{"Heading", 40, "Browse Representative Reports"};

const WindowDecl& kRepresentativeReports = declareWindow({
    .procedure = "RepresentativeReports",
    .caption = "Representative Reports",
    .recordsName = true,
    .locals = {kHeading},
    .fields =
        {
            {.kind = ControlKind::Display,
             .local = kHeading,
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
            {.text = "&Transaction Log",
             .message = "Print the representative's transaction log",
             .calls = "PrintRepTransactionLog"},
            {.text = "Cross &Reference",
             .message = "Print the product cross reference",
             .calls = "PrintRepCrossReference"},
            {.text = "&Check/Security  Log",
             .message = "Print the log of checks and securities received",
             .calls = "PrintCheckSecurityLog"},
            {.text = "Account &List",
             .message = "Print the representative's accounts",
             .calls = "PrintRepAccounts"},
            {.text = "&Suspense Dates",
             .message = "The customers' suspense dates",
             .calls = "BrowseSuspenseDates"},
            {.text = "&Annual Events",
             .message = "The customers' annual events",
             .calls = "BrowseAnnualEvents"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

// The reports that read the representative from a field of their own file.
constexpr std::pair<std::string_view, FieldRef> kRepresentativeFields[] = {
    {"PrintRepTransactionLog", TRN::REPRESENTATIVENUMBER},
    {"PrintCheckSecurityLog", CHE::REPRESENTATIVENUMBER},
};

class RepresentativeReportsWindow : public WindowManager {
public:
    RepresentativeReportsWindow() : WindowManager(kRepresentativeReports) {}

    void AfterEvent() override {
        WindowManager::AfterEvent();
        // Few representatives have an extension; its line shows only when there is one.
        Show(REP::REP_EXT, !text::isBlank(REP::REP_EXT.get()));
    }

    bool MayCall(const ButtonDecl& button) override {
        for (const auto& [procedure, field] : kRepresentativeFields) {
            if (button.calls == procedure)
                buffer(field.file()).setInteger(field.index(), REP::REPRESENTATIVENUMBER.get());
        }
        return true;
    }
};

}  // namespace

void RepresentativeReports(std::string_view) {
    startWindow(std::make_unique<RepresentativeReportsWindow>());
}

}  // namespace bb
