// The accounts of a company: exactly the accounts that hold its name,
// whatever characters the name has and however long it is, and still
// that company's after another company's accounts are asked for.
#include <gtest/gtest.h>

#include "code_tables_fixture.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "platform/text.h"

namespace bb::test {
namespace {

// Forty characters: six more than an account keeps.
const std::string kLongName = "Northwestern Mutual Investment Services";

class BrowseCompanyAccountsTest : public CodeTablesTest {
protected:
    BrowseCompanyAccountsTest() {
        for (const std::string& name : {std::string("O'Brien Securities"), std::string("O"),
                                        kLongName, std::string("Zeta Capital")})
            addCompany(name);
        addAccount("O'Brien Securities", "IRA", "Adams");
        addAccount("O", "IRA", "Baker");
        addAccount(kLongName, "IRA", "Clark");
        addAccount("O'Brien Securities", "IRA", "Davis");
        addAccount("Zeta Capital", "IRA", "Evans");
    }
    // The accounts of the company in row `row` of the company list, through
    // its "&Accounts" button.
    DrivenWindow accountsOf(int row) {
        procedures().call("BrowseVendors");
        ui.settle();
        DrivenWindow companies = ui.window("Account Companies");
        companies.clickRow("Companies", row);
        companies.press("Accounts");
        return ui.window("Company Accounts");
    }
};

TEST_F(BrowseCompanyAccountsTest, ANameWithAQuoteListsExactlyItsAccounts) {
    DrivenWindow accounts = accountsOf(2);
    EXPECT_EQ(processValues().SelectedCompanyName.get(), "O'Brien Securities");
    EXPECT_EQ(accounts.shown("Heading"), "Browse Company Accounts");
    EXPECT_EQ(accounts.shown("Company"), "O'Brien Securities");
    EXPECT_EQ(accounts.rows("Accounts list"), (std::vector<std::string>{"Adams", "Davis"}));
    accounts.screenshot("company accounts");
}

TEST_F(BrowseCompanyAccountsTest, ALongNameFindsTheAccountsThatHoldItsFirst34Characters) {
    DrivenWindow accounts = accountsOf(0);
    EXPECT_EQ(accounts.shown("Company"), kLongName);
    EXPECT_EQ(accounts.rows("Accounts list"), std::vector<std::string>{"Clark"});
}

TEST_F(BrowseCompanyAccountsTest, TheListKeepsItsCompany) {
    DrivenWindow first = accountsOf(1);
    EXPECT_EQ(first.rows("Accounts list"), std::vector<std::string>{"Baker"});
    processValues().SelectedCompanyName.set("Zeta Capital");
    first.press("Transactions");  // not built yet: the list reads itself again
    ui.messages.clear();
    EXPECT_EQ(first.rows("Accounts list"), std::vector<std::string>{"Baker"});
}

TEST_F(BrowseCompanyAccountsTest, ShowsTheHighlightedAccountsRepresentativeAndClass) {
    const int rep = addRepresentative("101", "Ann Lee");
    FileManager& file = *fileManagerFor(FileId::AccountRegistration);
    file.SetOrder(ACC::key::REGISTRATIONNUMBERKEY);
    while (file.NextQuietly() == SeverityNone) {
        ACC::REPRESENTATIVENUMBER.set(rep);
        ACC::ACCOUNTCLASS.set(text::equal(ACC::ACCOUNTSHORTNAME.get(), "Adams") ? "C" : "F");
        ASSERT_EQ(file.Update(), SeverityNone);
    }
    DrivenWindow accounts = accountsOf(2);
    EXPECT_EQ(accounts.rows("Accounts list", 2), (std::vector<std::string>{"101", "101"}));
    EXPECT_EQ(accounts.shown("Representative"), "Representative: Ann Lee");
    EXPECT_EQ(accounts.shown("Class"), "Commission Account");
    accounts.clickRow("Accounts list", 1);
    EXPECT_EQ(accounts.shown("Class"), "Fee-Based Account");
}

}  // namespace
}  // namespace bb::test
