// The account company form: its check, a rename announced and carried into
// every account of the company (cut to what an account holds), a duplicate
// name refused whatever its case, and deletes the accounts refuse.
#include <gtest/gtest.h>

#include "code_tables_fixture.h"
#include "dictionary/process_values.h"

namespace bb::test {
namespace {

// Forty characters: six more than an account keeps.
const std::string kLongName = "Northwestern Mutual Investment Services";
const std::string kLongerName = "Northwestern Mutual Investment Servicing";

class UpdateVendorsTest : public CodeTablesTest {
protected:
    int change(const std::string& name, WindowDriver::Script script) {
        readCompany(name);
        ui.when("Update Account Companies", std::move(script));
        return callForm("UpdateVendors", FileId::Vendors, ChangeRequest);
    }
};

TEST_F(UpdateVendorsTest, ANewCompanyIsSavedWithItsAddress) {
    addState("TX", "Texas");
    ui.when("Update Account Companies", [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.type("Name", "Alpha Funds");
        form.type("Contact", "Jane Doe");
        form.type("Address", "1 Main St");
        form.type("Address line 2", "Suite 4");
        form.type("City", "Austin");
        form.pick("State", "Texas");
        form.type("Zip", "78701");
        form.type("E-Mail/Web Site", "alpha.example");
        form.screenshot("update account companies");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateVendors", FileId::Vendors, InsertRequest), ResponseCompleted);
    EXPECT_EQ(rows(FileId::Vendors, VEN::key::VENDORNAMEKEY,
                   {VEN::VENDORNAME, VEN::CONTACT1, VEN::ADDRESS, VEN::ADDRESS2, VEN::CITY,
                    VEN::STATE, VEN::ZIPCODE, VEN::EMAIL}),
              std::vector<std::string>{
                  "Alpha Funds|Jane Doe|1 Main St|Suite 4|Austin|TX|78701|alpha.example"});
    EXPECT_EQ(processValues().CurrentProcedure.get(), "UpdateVendors");
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(UpdateVendorsTest, OkRefusesABlankName) {
    ui.when("Update Account Companies", [](DrivenWindow& form) {
        form.type("Contact", "Jane Doe");
        form.press("OK");
        EXPECT_FALSE(form.manager().Closed());
        EXPECT_EQ(form.focused(), "Name");
        form.type("Name", "Alpha Funds");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateVendors", FileId::Vendors, InsertRequest), ResponseCompleted);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Account Company Name Required");
    EXPECT_EQ(ui.messages.last().text, "     Enter a name for this account company.");
    EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages.beeps.size(), 1U);
    EXPECT_EQ(companies(), std::vector<std::string>{"Alpha Funds"});
}

TEST_F(UpdateVendorsTest, ARenameIsAnnouncedAndEveryAccountOfTheCompanyFollows) {
    addCompany("Alpha Funds");
    addCompany("Beta Trust");
    addAccount("Alpha Funds", "IRA", "Adams");
    addAccount("Beta Trust", "IRA", "Baker");
    addAccount("Alpha Funds", "Joint", "Clark");
    EXPECT_EQ(change("Alpha Funds",
                     [](DrivenWindow& form) {
                         form.type("Name", "Alpha Fund Group");
                         form.press("OK");
                     }),
              ResponseCompleted);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Company Name Change");
    EXPECT_EQ(ui.messages.last().text,
              "The Company Name has been changed ...||  Original: Alpha Funds    ||  New: Alpha "
              "Fund Group||All Account Registration records will be updated.");
    EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages.beeps.size(), 1U);
    EXPECT_EQ(accounts(),
              (std::vector<std::string>{"Adams: Alpha Fund Group: IRA", "Baker: Beta Trust: IRA",
                                        "Clark: Alpha Fund Group: Joint"}));
}

TEST_F(UpdateVendorsTest, ALongNameReachesTheAccountsAsTheyHoldIt) {
    addCompany(kLongName);
    addAccount(kLongName, "IRA", "Adams");
    ASSERT_EQ(accounts(), std::vector<std::string>{"Adams: " + kLongName.substr(0, 34) + ": IRA"});
    EXPECT_EQ(change(kLongName,
                     [](DrivenWindow& form) {
                         form.type("Name", kLongerName);
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_EQ(companies(), std::vector<std::string>{kLongerName});
    EXPECT_EQ(accounts(),
              std::vector<std::string>{"Adams: " + kLongerName.substr(0, 34) + ": IRA"});
}

TEST_F(UpdateVendorsTest, AChangeOfContactOrAddressOnlyAnnouncesNothing) {
    addCompany("Alpha Funds");
    addAccount("Alpha Funds", "IRA", "Adams");
    EXPECT_EQ(change("Alpha Funds",
                     [](DrivenWindow& form) {
                         form.type("Contact", "John Roe");
                         form.type("Address", "9 Elm St");
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(accounts(), std::vector<std::string>{"Adams: Alpha Funds: IRA"});
}

TEST_F(UpdateVendorsTest, ANameTakenInAnotherCaseIsRefused) {
    addCompany("Alpha Funds");
    ui.when("Update Account Companies", [](DrivenWindow& form) {
        form.type("Name", "ALPHA FUNDS");
        form.press("OK");
        EXPECT_FALSE(form.manager().Closed());
        form.type("Name", "Alpha Funds II");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateVendors", FileId::Vendors, InsertRequest), ResponseCompleted);
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.shown.front().title, "Duplicate Key Error");
    EXPECT_NE(ui.messages.shown.front().text.find("VEN:VendorNameKey"), std::string::npos);
    EXPECT_EQ(companies(), (std::vector<std::string>{"Alpha Funds", "Alpha Funds II"}));
}

TEST_F(UpdateVendorsTest, ACompanyHoldingAccountsIsNotDeletedAnEmptyOneGoesWithItsPhones) {
    const int alpha = addCompany("Alpha Funds");
    const int beta = addCompany("Beta Trust");
    addAccount("Alpha Funds", "IRA", "Adams");
    addCompanyPhone(alpha, "5125550100");
    addCompanyPhone(beta, "5125550199");
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    readCompany("Alpha Funds");
    callForm("UpdateVendors", FileId::Vendors, DeleteRequest);
    EXPECT_EQ(titles(), refusedDelete());
    EXPECT_NE(ui.messages.shown[1].text.find("Account"), std::string::npos)
        << ui.messages.shown[1].text;
    ui.messages.clear();
    ui.messages.answer(ButtonYes);
    readCompany("Beta Trust");
    EXPECT_EQ(callForm("UpdateVendors", FileId::Vendors, DeleteRequest), ResponseCompleted);
    EXPECT_EQ(companies(), std::vector<std::string>{"Alpha Funds"});
    EXPECT_EQ(rows(FileId::VPhones, VPH::key::KEYVENDORNUMBER, {VPH::PHONENUMBER}),
              std::vector<std::string>{"5125550100"});
    EXPECT_EQ(accounts(), std::vector<std::string>{"Adams: Alpha Funds: IRA"});
}

}  // namespace
}  // namespace bb::test
