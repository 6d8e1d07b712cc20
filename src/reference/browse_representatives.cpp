// "Registered Representatives": the office's representatives by number,
// with what the highlighted one may sign and sell, and the ways to their
// phones, customers and commissions. Also a selection list for a caller
// that asks for a representative.
#include <memory>
#include <string>
#include <utility>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/form_parts.h"
#include "reference/reference_windows.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

// The procedures the buttons run, counted from 1 as CallProcedure counts.
enum Called : int { CallsUpdate = 1, CallsPhones, CallsCustomers, CallsCommissions };

const WindowDecl kBrowseRepresentatives{
    .procedure = "BrowseRepresentatives",
    .caption = "Registered Representatives",
    .recordsName = true,
    .locals = {{"Heading", T_STRING(40)},
               {"GuarantorLine", T_STRING(20)},
               {"LicenceLine", T_STRING(48)}},
    .fields =
        {
            {.kind = ControlKind::Display,
             .local = "Heading",
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
            {.kind = ControlKind::Display, .local = "GuarantorLine", .name = "Signature Guarantor"},
            {.kind = ControlKind::Display, .local = "LicenceLine", .name = "Licence"},
        },
    .buttons =
        {
            {.text = "Representative &Phones",
             .message = "Phone numbers of the highlighted representative"},
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
            {.text = "C&ustomers", .message = "Customers of the highlighted representative"},
            {.text = "Co&mmissions",
             .message = "Commission transactions of the highlighted representative"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
    .procedures = {"UpdateRepresentatives", "BrowseRPH", "BrowseRepMembers",
                   "BrowseCommissionTransactions"},
};

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

    int OnAccepted() override {
        const QWidget* pressed = CurrentEvent().control;
        for (const auto& [name, called] : kButtons) {
            if (pressed && pressed == Control(name)) {
                runFor(called);
                return LevelHandled;
            }
        }
        return WindowManager::OnAccepted();
    }

    void SetupControls() override {
        WindowManager::SetupControls();
        SetLocal("Heading", Value::text("Browse Registered Representatives"));
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        SetLocal("GuarantorLine",
                 Value::text(REP::MEDALLION.get() == "Y" ? "Signature Guarantor" : ""));
        SetLocal("LicenceLine", Value::text(licenceLine()));
        Display();
    }

private:
    static constexpr std::pair<std::string_view, int> kButtons[] = {
        {"RepresentativePhones", CallsPhones},
        {"Customers", CallsCustomers},
        {"Commissions", CallsCommissions}};

    // Runs `called` for the highlighted representative; an empty list has
    // none, and the records the procedure would add would belong to nobody.
    void runFor(int called) {
        if (text::isBlank(REP::REP_NAME.get())) {
            Announce("Insert Record Required",
                     "Insert at least one Representative in the Representative File first.");
            return;
        }
        Update();
        CallProcedure(called, NoRequest);
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
