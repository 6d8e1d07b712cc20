// "Registered Representatives": the office's representatives by number,
// with what the highlighted one may sign and sell, and the ways to their
// phones, customers and commissions. Also a selection list for a caller
// that asks for a representative.
#include <memory>
#include <string>
#include <utility>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/reference_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr TextVariable kHeading{"Heading", 40, "Browse Registered Representatives"};
constexpr TextVariable kGuarantorLine{"GuarantorLine", 20};
constexpr TextVariable kLicenceLine{"LicenceLine", 48};

// What a button that runs a procedure for the highlighted representative
// says when there is none: the records the procedure would add would
// belong to nobody.
constexpr Refusal kNoRepresentative{
    "Insert Record Required",
    "Insert at least one Representative in the Representative File first."};

const WindowDecl& kBrowseRepresentatives = declareWindow({
    .procedure = "BrowseRepresentatives",
    .caption = "Registered Representatives",
    .recordsName = true,
    .locals = {kHeading, kGuarantorLine, kLicenceLine},
    .fields =
        {
            {.kind = ControlKind::Display,
             .local = kHeading,
             .name = "Browse Registered Representatives",
             .heavy = true},
            {.kind = ControlKind::List,
             .name = "Representatives",
             .message = "Select a representative",
             .list =
                 ListDecl{.file = FileId::Representatives,
                          .format = "40L(2)|M~Number~@s5@120L(2)|M~Name~@s25@40L(2)~Extension~@s6@",
                          .columns = {REP::REP_NUM, REP::REP_NAME, REP::REP_EXT},
                          .orders = {{.key = REP::key::REPRESENTATIVENAMEKEY,
                                      .locator = LocatorKind::Step},
                                     {.key = REP::key::REPRESENTATIVENUMBERKEY}},
                          .update = "UpdateRepresentatives",
                          .hideSelect = true}},
            {.kind = ControlKind::Display, .local = kGuarantorLine, .name = "Signature Guarantor"},
            {.kind = ControlKind::Display, .local = kLicenceLine, .name = "Licence"},
        },
    .buttons =
        {
            {.text = "Representative &Phones",
             .message = "Phone numbers of the highlighted representative",
             .calls = "BrowseRPH",
             .needsRecord = true,
             .empty = kNoRepresentative},
            {.text = "&Insert Record",
             .role = ButtonRole::Insert,
             .message = "Add a new representative"},
            {.text = "&Delete Record",
             .role = ButtonRole::Delete,
             .message = "Delete the highlighted representative"},
            {.text = "&Edit Record",
             .role = ButtonRole::Change,
             .message = "Make changes to the highlighted representative"},
            {.text = "&Select", .role = ButtonRole::Select},
            {.text = "C&ustomers",
             .message = "Customers of the highlighted representative",
             .calls = "BrowseRepMembers",
             .needsRecord = true,
             .empty = kNoRepresentative},
            {.text = "Co&mmissions",
             .message = "Commission transactions of the highlighted representative",
             .calls = "BrowseCommissionTransactions",
             .needsRecord = true,
             .empty = kNoRepresentative},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

std::string licenceLine() {
    const bool insurance = REP::INSURANCE.get() == "1";
    const bool adviser = REP::INVESTMENTADVISOR.get() == "1";
    if (insurance && adviser) return "Insurance Licensed/Registered Investment Advisor";
    if (insurance) return "Insurance Licensed";
    if (adviser) return "Registered Investment Advisor";
    return {};
}

class BrowseRepresentativesWindow : public WindowManager {
public:
    BrowseRepresentativesWindow() : WindowManager(kBrowseRepresentatives) {}

    void AfterEvent() override {
        WindowManager::AfterEvent();
        Set(kGuarantorLine, REP::MEDALLION.get() == "Y" ? "Signature Guarantor" : "");
        Set(kLicenceLine, licenceLine());
    }
};

}  // namespace

void BrowseRepresentatives(std::string_view) {
    // A caller asking for a representative waits for the choice; otherwise
    // the list opens beside the other windows.
    if (processValues().PendingRequest == SelectRequest) {
        runCalled<BrowseRepresentativesWindow>();
        return;
    }
    startWindow(std::make_unique<BrowseRepresentativesWindow>());
}

}  // namespace bb
