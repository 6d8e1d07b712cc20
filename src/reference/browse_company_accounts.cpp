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
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kAccounts = "Accounts list";
constexpr TextVariable kCompany{"Company", 40};
// The company's name as its accounts hold it, which selects them.
constexpr TextVariable kCompanyRange{"CompanyRange", 34};
// "Representative: " and the longest name, 25 characters.
constexpr TextVariable kRepresentativeLine{"RepresentativeLine", 41};
constexpr TextVariable kClassLine{"ClassLine", 18};

FieldDecl line(const TextVariable& local, std::string_view name) {
    return {.kind = ControlKind::Display, .local = local, .name = name};
}

const WindowDecl& kBrowseCompanyAccounts = declareWindow({
    .procedure = "BrowseCompanyAccounts",
    .caption = "Company Accounts",
    .recordsName = true,
    .locals = {kHeading, kCompany, kCompanyRange, kRepresentativeLine, kClassLine},
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
                                                    .limit = {.local = kCompanyRange.name()}},
                                          .locator = LocatorKind::Step}},
                              .rows = 8}},
            line(kRepresentativeLine, "Representative"),
            line(kClassLine, "Class"),
        },
    .buttons =
        {
            {.text = "&Accounts",
             .message = "Print the accounts of this company",
             .calls = "PrintCompanyAccounts",
             .request = ProcessRequest},
            {.text = "&Receipts",
             .message = "Checks and securities received for the account",
             .calls = "BrowseCheckSecurityReceipt",
             .request = ProcessRequest,
             .needsRecord = true,
             .refresh = true},
            {.text = "&Transactions",
             .message = "Transactions of the highlighted account",
             .calls = "BrowseTransactions",
             .request = ProcessRequest,
             .needsRecord = true,
             .refresh = true},
            {.text = "&Close", .role = ButtonRole::Cancel, .message = "Close this window"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

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
        Set(kCompany, company);
        Set(kCompanyRange, text::fit(company, ACC::COMPANY.def().spec.width));
        HeadedList::SetupControls();
    }

    void AfterEvent() override {
        HeadedList::AfterEvent();
        const bool any = Browse(kAccounts)->Records() > 0;
        Set(kRepresentativeLine,
            any ? "Representative: " + std::string(text::clip(REP::REP_NAME.get())) : "");
        Set(kClassLine, any ? classLine(ACC::ACCOUNTCLASS.get()) : "");
    }
};

}  // namespace

void BrowseCompanyAccounts(std::string_view) {
    startWindow(std::make_unique<BrowseCompanyAccountsWindow>());
}

}  // namespace bb
