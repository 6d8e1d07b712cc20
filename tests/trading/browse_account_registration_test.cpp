// The account list of one customer: its rows and the highlighted account's
// lines, the colours on a fixed day against the preferences' cut-off date,
// the customer it keeps, the files an insert needs first, the buttons an
// inactive account or an empty list closes, and the way from the customer
// list.
#include <gtest/gtest.h>

#include <QColor>
#include <functional>

#include "account_fixture.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "platform/date.h"
#include "trading/account_procedures.h"
#include "ui/browse_manager.h"
#include "ui/browse_model.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kList[] = "Customer accounts";

using BrowseAccountRegistrationTest = AccountTest;

TEST_F(BrowseAccountRegistrationTest, ListsOnlyTheCustomersAccountsWithTheHighlightedOnesLines) {
    const int ira = addAccount(smith_, "Smith IRA");
    addAccount(jones_, "Jones IRA");
    const int fee = addAccount(smith_, "Smith Trust", kLongCompany);
    changeAccount(fee, [] { ACC::ACCOUNTCLASS.set("F"); });
    const int margin = addAccount(smith_, "Smith Margin");
    changeAccount(margin, [] { ACC::ACCOUNTCLASS.set("M"); });
    changeAccount(ira, [] { ACC::ACCOUNTREGISTRATION.set("John Smith IRA|Alpha Custodian"); });
    EXPECT_EQ(inList(smith_,
                     [](DrivenWindow& list) {
                         EXPECT_EQ(list.shown("Heading"), "Browse Customer Accounts");
                         EXPECT_EQ(list.shown("Customer"), "John Smith");
                         // By company, then account number.
                         EXPECT_EQ(list.rows(kList),
                                   (std::vector<std::string>{"Smith IRA", "Smith Margin",
                                                             "Smith Trust"}));
                         EXPECT_EQ(list.rows(kList, 1)[2], kLongCompany.substr(0, 34));
                         EXPECT_EQ(list.shown("Representative"), "Ann Adams");
                         EXPECT_EQ(list.shown("Class"), "Commission Account");
                         EXPECT_EQ(list.shown("Registration"), "John Smith IRA|Alpha Custodian");
                         list.screenshot("customer accounts");
                         list.clickRow(kList, 1);
                         EXPECT_EQ(list.shown("Class"), "Margin Account");
                         list.clickRow(kList, 2);
                         EXPECT_EQ(list.shown("Class"), "Fee-Based Account");
                         list.press("Close");
                     }),
              ResponseCancelled);
    EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseAccountRegistration");
}

TEST_F(BrowseAccountRegistrationTest, WithNoCustomerItSaysSoAndOpensNothing) {
    buffer(FileId::Members).clear();
    EXPECT_EQ(procedures().call("BrowseAccountRegistration", ProcessRequest), ResponseCancelled);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Customer Required");
    EXPECT_EQ(ui.messages.last().text, "Enter customer first");
    EXPECT_TRUE(ui.opened().empty());
}

struct ColourCase {
    const char* what;
    std::function<void()> make;
    int foreground;  // kDefaultColour: the list's own
};

TEST_F(BrowseAccountRegistrationTest, RowColoursFollowActivityBirthdayObjectivesAndEmployees) {
    const DayNumber cutOff = *dayNumber(2025, 12, 10);
    CTRL::DEFAULTOUTDATEDATE.set(cutOff);
    const ColourCase cases[] = {
        {"plain", [] {}, kDefaultColour},
        {"inactive on its birthday",
         [] {
             ACC::ACTIVEINACTIVE.set("0");
             ACC::BIRTHDATE.set(*dayNumber(1970, 12, 10));
         },
         0x808080},
        {"birthday, outdated and employee-related",
         [&] {
             ACC::BIRTHDATE.set(*dayNumber(1970, 12, 10));
             ACC::LASTUPDATE.set(cutOff);
             ACC::EMPLOYEERELATED.set("Y");
         },
         0x0000FF},
        {"reviewed on the cut-off day, customer employee-related",
         [&] {
             ACC::LASTUPDATE.set(cutOff);
             MBR::EMPLOYEERELATED.set("Y");
         },
         0xFF0000},
        {"reviewed the day after the cut-off", [&] { ACC::LASTUPDATE.set(cutOff + 1); },
         kDefaultColour},
        {"never reviewed", [] { ACC::LASTUPDATE.set(kNoDate); }, 0xFF0000},
        {"account employee-related", [] { ACC::EMPLOYEERELATED.set("Y"); }, 0x008000},
        {"customer employee-related", [] { MBR::EMPLOYEERELATED.set("Y"); }, 0x008000},
        {"birthday another day", [] { ACC::BIRTHDATE.set(*dayNumber(1970, 12, 11)); },
         kDefaultColour},
    };
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.what);
        buffer(FileId::AccountRegistration).clear();
        ACC::ACTIVEINACTIVE.set("1");
        ACC::EMPLOYEERELATED.set("N");
        ACC::LASTUPDATE.set(*dayNumber(2026, 6, 1));
        MBR::EMPLOYEERELATED.set("N");
        c.make();
        EXPECT_EQ(accountRowColours(0).foreground, c.foreground);
    }
    // The list shows them from each row's account and customer: an inactive
    // account grey, white on silver when highlighted; one reviewed on the
    // cut-off day red.
    const int closed = addAccount(smith_, "Closed");
    changeAccount(closed, [] { ACC::ACTIVEINACTIVE.set("0"); });
    const int stale = addAccount(smith_, "Stale");
    changeAccount(stale, [&] { ACC::LASTUPDATE.set(cutOff); });
    inList(smith_, [](DrivenWindow& list) {
        const BrowseModel& rows = list.manager().Browse(kList)->Rows();
        ASSERT_EQ(list.rows(kList), (std::vector<std::string>{"Closed", "Stale"}));
        EXPECT_EQ(rows.index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0x808080));
        EXPECT_EQ(rows.index(0, 0).data(BrowseModel::kSelectedBackgroundRole).value<QColor>(),
                  QColor(0xC0C0C0));
        EXPECT_EQ(rows.index(1, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(0xFF0000));
        list.press("Close");
    });
}

TEST_F(BrowseAccountRegistrationTest, TheListKeepsItsCustomerWhateverTheBufferHoldsLater) {
    addAccount(smith_, "Smith IRA");
    addAccount(jones_, "Jones IRA");
    inList(smith_, [this](DrivenWindow& list) {
        readCustomer(jones_);
        // Not built yet: the list reads itself again when it returns.
        list.press("Receipts");
        EXPECT_EQ(list.rows(kList), std::vector<std::string>{"Smith IRA"});
        // A new account is the list's customer's.
        ui.when("Update Customer Accounts", [](DrivenWindow& form) {
            EXPECT_EQ(form.shown("Customer"), "John Smith");
            form.type("Company", "Alpha Funds");
            form.type("Number", "S-2");
            form.type("Short Name", "Smith Joint");
            form.type("Full Registration Text", "John Smith JTWROS");
            form.showTab("Finacial Objectives");
            EXPECT_EQ(form.shown("Birth Date"), "03/15/1970");
            form.type("Last Update", "11/01/2026");
            form.type("List in order of priority ...", "1");
            form.choose("2 Conservative for Growth");
            form.press("OK");
        });
        list.press("Insert Record");
        // By company, then account number.
        EXPECT_EQ(list.rows(kList), (std::vector<std::string>{"Smith Joint", "Smith IRA"}));
        list.press("Close");
    });
    EXPECT_EQ(accounts().back(), "Smith Joint|Alpha Funds|C|" + std::to_string(smith_));
}

TEST_F(BrowseAccountRegistrationTest, InsertNeedsAnAccountTypeFirst) {
    FileManager& types = *fileManagerFor(FileId::AccountTypes);
    types.SetOrder(0);
    while (types.NextQuietly() == SeverityNone)
        ASSERT_EQ(relationManagerFor(FileId::AccountTypes)->Delete(false), SeverityNone);
    inList(smith_, [](DrivenWindow& list) {
        list.press("Insert Record");
        list.press("Close");
    });
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Insert Record Required");
    EXPECT_EQ(ui.messages.last().text,
              "Insert at least one Account Type in the Account Types file first.");
    EXPECT_EQ(ui.frameMenu(), 'M');
    EXPECT_EQ(ui.opened(), std::vector<std::string>{"Customer Accounts"});
    EXPECT_EQ(count(FileId::AccountRegistration), 0);
}

struct ClosedCase {
    const char* button;
    const char* procedure;
    const char* inactiveText;
};

TEST_F(BrowseAccountRegistrationTest, AnInactiveAccountsTransactionsAndReceiptsAreClosed) {
    const ClosedCase cases[] = {
        {"Transactions", "BrowseTransactions",
         "Transactions cannot be accessed for inactive or incomplete accounts."},
        {"Receipts", "BrowseCheckSecurityReceipt",
         "Receipts cannot be accessed for inactive or incomplete accounts."},
    };
    const int open = addAccount(smith_, "Open");
    const int closed = addAccount(smith_, "Shut");
    changeAccount(closed, [] { ACC::ACTIVEINACTIVE.set("0"); });
    for (const ClosedCase& c : cases) {
        SCOPED_TRACE(c.button);
        std::vector<int> reached;
        procedures().add(c.procedure, [&](std::string_view) {
            reached.push_back(ACC::REGISTRATIONNUMBER.get());
            processValues().LastResponse = ResponseCancelled;
        });
        ui.messages.clear();
        inList(smith_, [&](DrivenWindow& list) {
            list.press(c.button);
            list.clickRow(kList, 1);
            list.press(c.button);
            list.press("Close");
        });
        procedures().remove(c.procedure);
        EXPECT_EQ(reached, std::vector<int>{open});
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Inactive/Incomplete Account");
        EXPECT_EQ(ui.messages.last().text, c.inactiveText);
    }
}

TEST_F(BrowseAccountRegistrationTest, AnEmptyListsButtonsActOnNoRow) {
    int reached = 0;
    for (const char* procedure : {"BrowseTransactions", "BrowseCheckSecurityReceipt"})
        procedures().add(procedure, [&](std::string_view) { ++reached; });
    inList(smith_, [](DrivenWindow& list) {
        EXPECT_TRUE(list.rows(kList).empty());
        EXPECT_EQ(list.shown("Class"), "");
        EXPECT_EQ(list.shown("Representative"), "");
        list.press("Transactions");
        list.press("Receipts");
        list.press("Close");
    });
    for (const char* procedure : {"BrowseTransactions", "BrowseCheckSecurityReceipt"})
        procedures().remove(procedure);
    EXPECT_EQ(reached, 0);
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(BrowseAccountRegistrationTest, TheCustomerListOpensTheHighlightedCustomersAccounts) {
    addAccount(smith_, "Smith IRA");
    addAccount(jones_, "Jones IRA");
    CTRL::REPORTFILTER.set("");
    procedures().call("BrowseMembers");
    ui.settle();
    DrivenWindow customers = ui.window("Customer List");
    ASSERT_EQ(customers.rows("Customers"), (std::vector<std::string>{"John Smith", "Mary Jones"}));
    customers.clickRow("Customers", 1);
    ui.when("Customer Accounts", [](DrivenWindow& list) {
        EXPECT_EQ(list.rows(kList), std::vector<std::string>{"Jones IRA"});
        list.press("Close");
    });
    customers.press("Accounts");
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

TEST_F(BrowseAccountRegistrationTest, ACustomerWithAccountsIsNotDeleted) {
    addAccount(smith_, "Smith IRA");
    readCustomer(smith_);
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    EXPECT_EQ(procedures().call("UpdateMembers", DeleteRequest), ResponseCancelled);
    ASSERT_EQ(titles(),
              (std::vector<std::string>{"Confirm Delete", "Referential Integrity Delete Error",
                                        "Record Delete Error"}));
    EXPECT_EQ(ui.messages.shown[1].text,
              "This record is referenced from the file AccountRegistration. This record cannot "
              "be deleted while these references exist.");
    EXPECT_EQ(count(FileId::Members), 2);
    EXPECT_EQ(count(FileId::AccountRegistration), 1);
}

}  // namespace
}  // namespace bb::test
