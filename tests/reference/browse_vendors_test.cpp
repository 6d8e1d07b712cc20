// The account company list: the highlighted company's contact and address
// lines, its two orders, its phones, and choosing a company for a caller.
#include <gtest/gtest.h>

#include "code_tables_fixture.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"

namespace bb::test {
namespace {

class BrowseVendorsTest : public CodeTablesTest {
protected:
    DrivenWindow open() {
        procedures().call("BrowseVendors");
        ui.settle();
        return ui.window("Account Companies");
    }
    void setAddress(const std::string& name, const char* address, const char* city) {
        readCompany(name);
        VEN::CONTACT1.set("Jane Doe");
        VEN::EMAIL.set("info@example.com");
        VEN::ADDRESS.set(address);
        VEN::CITY.set(city);
        VEN::STATE.set("TX");
        VEN::ZIPCODE.set("78701");
        ASSERT_EQ(fileManagerFor(FileId::Vendors)->Update(), SeverityNone);
    }
};

TEST_F(BrowseVendorsTest, ShowsTheHighlightedCompanysContactAndAddressLines) {
    struct Case {
        const char* name;
        const char* address;
        const char* city;
        const char* line1;
        const char* line2;
    };
    const Case cases[] = {
        {"Alpha Funds", "1 Main St", "Austin", "1 Main St", "Austin, TX  78701"},
        {"Beta Trust", "", "Austin", "Austin, TX  78701", ""},
        {"Gamma Securities", "", "", "", ""},
    };
    for (const Case& c : cases) {
        addCompany(c.name);
        setAddress(c.name, c.address, c.city);
    }
    DrivenWindow list = open();
    EXPECT_EQ(list.shown("Heading"), "Browse Customer Account Companies");
    EXPECT_EQ(list.rows("Companies"),
              (std::vector<std::string>{"Alpha Funds", "Beta Trust", "Gamma Securities"}));
    list.screenshot("account companies");
    for (int row = 0; row < 3; ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.name);
        list.clickRow("Companies", row);
        EXPECT_EQ(list.shown("Contact"), "Jane Doe");
        EXPECT_EQ(list.shown("E-Mail"), "info@example.com");
        EXPECT_EQ(list.shown("Address line 1"), c.line1);
        EXPECT_EQ(list.shown("Address line 2"), c.line2);
    }
    EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseVendors");
}

TEST_F(BrowseVendorsTest, ListsByNameOrByNumber) {
    addCompany("Zeta Capital");
    addCompany("Alpha Funds");
    DrivenWindow list = open();
    EXPECT_EQ(list.rows("Companies"), (std::vector<std::string>{"Alpha Funds", "Zeta Capital"}));
    list.choose("by Number");
    EXPECT_EQ(list.rows("Companies"), (std::vector<std::string>{"Zeta Capital", "Alpha Funds"}));
}

TEST_F(BrowseVendorsTest, PhonesAreTheHighlightedCompanys) {
    addCompany("Alpha Funds");
    const int beta = addCompany("Beta Trust");
    int shownFor = 0;
    standIn("BrowseVPH", [&shownFor](std::string_view) { shownFor = VEN::VENDORNUMBER.get(); });
    DrivenWindow list = open();
    list.clickRow("Companies", 1);
    list.press("Browse/Update Company Phones");
    EXPECT_EQ(shownFor, beta);
}

TEST_F(BrowseVendorsTest, ACallerChoosesACompany) {
    addCompany("Alpha Funds");
    const int beta = addCompany("Beta Trust");
    buffer(FileId::Vendors).clear();
    ui.when("Account Companies", [](DrivenWindow& list) {
        EXPECT_EQ(list.shown("Heading"), "Select a Customer Account Company");
        EXPECT_FALSE(list.hasButton("Accounts"));
        list.clickRow("Companies", 1);
        list.press("Select");
    });
    EXPECT_EQ(procedures().call("BrowseVendors", SelectRequest), ResponseCompleted);
    EXPECT_EQ(VEN::VENDORNUMBER.get(), beta);
}

TEST_F(BrowseVendorsTest, InsertAddsTheCompanyToTheList) {
    DrivenWindow list = open();
    ui.when("Update Account Companies", [](DrivenWindow& form) {
        form.type("Name", "Alpha Funds");
        form.press("OK");
    });
    list.press("Insert Record");
    EXPECT_EQ(list.rows("Companies"), std::vector<std::string>{"Alpha Funds"});
}

}  // namespace
}  // namespace bb::test
