// "Company Accounts": the accounts held at one account company, opened from
// the company list with the company's name in SelectedCompanyName, with
// the highlighted account's customer, representative and class.
#include <memory>
#include <string>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "reference/headed_list.h"
#include "reference/reference_windows.h"
#include "ui/browse_manager.h"

namespace bb {
namespace {

constexpr std::string_view kAccounts = "Accounts list";
constexpr std::string_view kCompany = "Company";
// The company's name as its accounts hold it, which selects them.
constexpr std::string_view kCompanyRange = "CompanyRange";
constexpr std::string_view kRepresentativeLine = "RepresentativeLine";
constexpr std::string_view kClassLine = "ClassLine";

// The procedures the buttons run, counted from 1 as CallProcedure counts.
enum Called : int { CallsAccountList = 1, CallsReceipts, CallsTransactions };

FieldDecl line(std::string_view local, std::string_view name) {
    return {.kind = ControlKind::Display, .local = local, .name = name};
}

const WindowDecl kBrowseCompanyAccounts{
    .procedure = "BrowseCompanyAccounts",
    .caption = "Company Accounts",
    .recordsName = true,
    .locals = {headingLocal(),
               {.name = kCompany, .spec = T_STRING(40)},
               {.name = kCompanyRange, .spec = T_STRING(34)},
               // "Representative: " and the longest name, 25 characters.
               {.name = kRepresentativeLine, .spec = T_STRING(41)},
               {.name = kClassLine, .spec = T_STRING(18)}},
    .fields =
        {
            headingField(),
            {.kind = ControlKind::Display, .local = kCompany, .name = kCompany, .heavy = true},
            {.kind = ControlKind::Display, .field = MBR::MEMBERNAME, .name = "Customer"},
            {.kind = ControlKind::List,
             .name = kAccounts,
             .message = "Select an account",
             .list = ListDecl{.file = FileId::AccountRegistration,
                              .joins = {{FileId::Members}, {FileId::Representatives}},
                              .format = "80L(2)|M~Short Name~@s20@80L(2)|M~Account Number~@s20@"
                                        "40L(2)|M~Representative~@s5@",
                              .columns = {ACC::ACCOUNTSHORTNAME, ACC::ACCOUNTNUMBER, REP::REP_NUM},
                              .orders = {{.key = ACC::key::VENDORNUMBERKEY,
                                          .range = {.kind = SingleValue,
                                                    .field = ACC::COMPANY,
                                                    .limit = {.local = kCompanyRange}},
                                          .locator = LocatorKind::Step}},
                              .rows = 8}},
            line(kRepresentativeLine, "Representative"),
            line(kClassLine, "Class"),
        },
    .buttons =
        {
            {.text = "&Accounts", .message = "Print the accounts of this company"},
            {.text = "&Receipts", .message = "Checks and securities received for the account"},
            {.text = "&Transactions", .message = "Transactions of the highlighted account"},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
    .procedures = {"PrintCompanyAccounts", "BrowseCheckSecurityReceipt", "BrowseTransactions"},
};

std::string classLine(std::string_view accountClass) {
    if (text::equal(accountClass, "C")) return "Commission Account";
    if (text::equal(accountClass, "F")) return "Fee-Based Account";
    return {};
}

class BrowseCompanyAccountsWindow final : public HeadedList {
public:
    BrowseCompanyAccountsWindow() : HeadedList(kBrowseCompanyAccounts, "Browse Company Accounts") {}

    void SetupControls() override {
        // The company is read once: the list stays its company's, whatever
        // another company list hands on later. An account keeps the first
        // 34 characters of a longer name, so those select its accounts.
        const std::string& company = processValues().SelectedCompanyName.get();
        SetLocal(kCompany, Value::text(company));
        SetLocal(kCompanyRange, Value::text(text::fit(company, ACC::COMPANY.def().spec.width)));
        HeadedList::SetupControls();
    }

    int OnAccepted() override {
        const QWidget* pressed = CurrentEvent().control;
        if (!pressed) return HeadedList::OnAccepted();
        if (pressed == Control("Accounts")) {
            CallProcedure(CallsAccountList, ProcessRequest);
            return LevelHandled;
        }
        if (pressed == Control("Receipts")) return forAccount(CallsReceipts);
        if (pressed == Control("Transactions")) return forAccount(CallsTransactions);
        return HeadedList::OnAccepted();
    }

    void AfterEvent() override {
        HeadedList::AfterEvent();
        const bool any = Browse(kAccounts)->Records() > 0;
        SetLocal(kRepresentativeLine,
                 Value::text(any ? "Representative: " + std::string(text::clip(REP::REP_NAME.get()))
                                 : std::string()));
        SetLocal(kClassLine, Value::text(any ? classLine(ACC::ACCOUNTCLASS.get()) : ""));
        Display();
    }

private:
    // Runs `called` for the highlighted account; an empty list has none.
    int forAccount(int called) {
        if (Browse(kAccounts)->Records() > 0) {
            Update();
            CallProcedure(called, ProcessRequest);
            Reset(true);
        }
        return LevelHandled;
    }
};

}  // namespace

void BrowseCompanyAccounts(std::string_view) {
    startWindow(std::make_unique<BrowseCompanyAccountsWindow>());
}

}  // namespace bb
