// The account type form: its check, a rename quoted in the announcement
// and carried into every account of the type, and a type in use kept.
#include <gtest/gtest.h>

#include "code_tables_fixture.h"

namespace bb::test {
namespace {

class UpdateAccountTypesTest : public CodeTablesTest {
protected:
    UpdateAccountTypesTest() {
        addAccountType("IRA", "Individual retirement");
        addAccountType("Joint", "Joint tenants");
        addAccount("Alpha Funds", "IRA", "Adams");
        addAccount("Alpha Funds", "Joint", "Baker");
        addAccount("Beta Trust", "IRA", "Clark");
    }
    int change(const std::string& type, WindowDriver::Script script) {
        buffer(FileId::AccountTypes).clear();
        ACT::ACCOUNTTYPE.set(type);
        fetch(FileId::AccountTypes, ACT::key::ACCOUNTTYPEKEY);
        ui.when("Update Account Types", std::move(script));
        return callForm("UpdateAccountTypes", FileId::AccountTypes, ChangeRequest);
    }
    std::vector<std::string> types() {
        return rows(FileId::AccountTypes, ACT::key::ACCOUNTTYPEKEY,
                    {ACT::ACCOUNTTYPE, ACT::DESCRIPTION});
    }
};

TEST_F(UpdateAccountTypesTest, ARenameIsQuotedAndEveryAccountOfTheTypeFollows) {
    EXPECT_EQ(change("IRA",
                     [](DrivenWindow& form) {
                         form.screenshot("update account types");
                         form.type("Account Type", "Roth IRA");
                         form.press("OK");
                     }),
              ResponseCompleted);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Account Type Change");
    EXPECT_EQ(ui.messages.last().text,
              "The Account Type \"IRA\" has been changed to:||    \"Roth IRA\" ...||All account "
              "records will be updated.");
    EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages.beeps.size(), 1U);
    EXPECT_EQ(accounts(),
              (std::vector<std::string>{"Adams: Alpha Funds: Roth IRA", "Baker: Alpha Funds: Joint",
                                        "Clark: Beta Trust: Roth IRA"}));
}

TEST_F(UpdateAccountTypesTest, TheDescriptionIsEditedWithoutAnnouncement) {
    EXPECT_EQ(change("Joint",
                     [](DrivenWindow& form) {
                         form.type("Description", "Joint with survivorship");
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(types(), (std::vector<std::string>{"IRA|Individual retirement",
                                                 "Joint|Joint with survivorship"}));
}

TEST_F(UpdateAccountTypesTest, OkRefusesABlankTypeBeforeAnnouncing) {
    EXPECT_EQ(change("IRA",
                     [](DrivenWindow& form) {
                         form.type("Account Type", "");
                         form.press("OK");
                         EXPECT_FALSE(form.manager().Closed());
                         EXPECT_EQ(form.focused(), "Account Type");
                         form.type("Account Type", "IRA");
                         form.press("OK");
                     }),
              ResponseCompleted);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Account Type Required");
    EXPECT_EQ(ui.messages.last().text, "     Enter the name of this account type.");
    EXPECT_EQ(accounts().front(), "Adams: Alpha Funds: IRA");
}

TEST_F(UpdateAccountTypesTest, ATypeInUseIsNotDeleted) {
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    buffer(FileId::AccountTypes).clear();
    ACT::ACCOUNTTYPE.set("Joint");
    fetch(FileId::AccountTypes, ACT::key::ACCOUNTTYPEKEY);
    callForm("UpdateAccountTypes", FileId::AccountTypes, DeleteRequest);
    EXPECT_EQ(titles(), refusedDelete());
    EXPECT_EQ(types().size(), 2U);
}

}  // namespace
}  // namespace bb::test
