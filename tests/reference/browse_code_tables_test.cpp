// The account type and investment objective lists: their rows in key
// order under their headings, and an insert through each form.
#include <gtest/gtest.h>

#include "code_tables_fixture.h"
#include "dictionary/process_values.h"

namespace bb::test {
namespace {

using BrowseCodeTablesTest = CodeTablesTest;

TEST_F(BrowseCodeTablesTest, AccountTypesAreListedByNameWithTheirDescriptions) {
    addAccountType("Joint", "Joint tenants");
    addAccountType("IRA", "Individual retirement");
    procedures().call("BrowseAccountTypes");
    ui.settle();
    DrivenWindow list = ui.window("Account Type");
    EXPECT_EQ(list.shown("Heading"), "Browse Account Types");
    EXPECT_EQ(list.rows("Account types"), (std::vector<std::string>{"IRA", "Joint"}));
    EXPECT_EQ(list.rows("Account types", 1),
              (std::vector<std::string>{"Individual retirement", "Joint tenants"}));
    EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseAccountTypes");
    list.screenshot("account types");
    ui.when("Update Account Types", [](DrivenWindow& form) {
        form.type("Account Type", "Custodial");
        form.type("Description", "For a minor");
        form.press("OK");
    });
    list.press("Insert Record");
    EXPECT_EQ(list.rows("Account types"), (std::vector<std::string>{"Custodial", "IRA", "Joint"}));
}

TEST_F(BrowseCodeTablesTest, ObjectivesAreListedByCode) {
    addObjective("IN", "Income");
    addObjective("GR", "Growth");
    procedures().call("BrowseInvestmentTypes");
    ui.settle();
    DrivenWindow list = ui.window("Investment Objectives");
    EXPECT_EQ(list.shown("Heading"), "Browse Investment Objectives");
    EXPECT_EQ(list.rows("Objectives"), (std::vector<std::string>{"GR", "IN"}));
    EXPECT_EQ(list.rows("Objectives", 1), (std::vector<std::string>{"Growth", "Income"}));
    list.screenshot("investment objectives");
    ui.when("Update Investment Objectives", [](DrivenWindow& form) {
        form.type("Objective Code", "SP");
        form.type("Description", "Speculation");
        form.press("OK");
    });
    list.press("Insert Record");
    EXPECT_EQ(list.rows("Objectives"), (std::vector<std::string>{"GR", "IN", "SP"}));
}

}  // namespace
}  // namespace bb::test
