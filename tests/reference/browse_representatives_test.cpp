// The representatives list: what it tells of the highlighted
// representative, the buttons that need one, choosing one for a caller, and
// a delete the customers' links refuse.
#include <gtest/gtest.h>

#include "reference_fixture.h"

namespace bb::test {
namespace {

class BrowseRepresentativesTest : public ReferenceTest {
protected:
    DrivenWindow open() {
        procedures().call("BrowseRepresentatives");
        ui.settle();
        return ui.window("Registered Representatives");
    }
    // Sets the flags of representative `number` as its form would.
    void setFlags(int number, const char* medallion, const char* insurance, const char* adviser) {
        readRepresentative(number);
        REP::MEDALLION.set(medallion);
        REP::INSURANCE.set(insurance);
        REP::INVESTMENTADVISOR.set(adviser);
        ASSERT_EQ(fileManagerFor(FileId::Representatives)->Update(), SeverityNone);
    }
};

TEST_F(BrowseRepresentativesTest, ShowsWhatTheHighlightedRepresentativeMaySignAndSell) {
    struct Case {
        const char* num;
        const char* medallion;
        const char* insurance;
        const char* adviser;
        const char* guarantor;
        const char* licence;
    };
    const Case cases[] = {
        {"101", "N", "0", "0", "", ""},
        {"102", "N", "1", "0", "", "Insurance Licensed"},
        {"103", "Y", "0", "1", "Signature Guarantor", "Registered Investment Advisor"},
        {"104", "Y", "1", "1", "Signature Guarantor",
         "Insurance Licensed/Registered Investment Advisor"},
    };
    for (const Case& c : cases)
        setFlags(addRepresentative(c.num, std::string("Rep ") + c.num), c.medallion, c.insurance,
                 c.adviser);
    DrivenWindow list = open();
    EXPECT_EQ(list.rows("Representatives"), (std::vector<std::string>{"101", "102", "103", "104"}));
    EXPECT_EQ(list.shown("Browse Registered Representatives"), "Browse Registered Representatives");
    for (int row = 0; row < 4; ++row) {
        const Case& c = cases[row];
        SCOPED_TRACE(c.num);
        list.clickRow("Representatives", row);
        EXPECT_EQ(list.shown("Signature Guarantor"), c.guarantor);
        EXPECT_EQ(list.shown("Licence"), c.licence);
    }
}

TEST_F(BrowseRepresentativesTest, ButtonsForARepresentativeNeedOne) {
    DrivenWindow list = open();
    for (const char* button : {"Customers", "Commissions", "Representative Phones"}) {
        SCOPED_TRACE(button);
        ui.messages.clear();
        const std::size_t opened = ui.opened().size();
        list.press(button);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Insert Record Required");
        EXPECT_EQ(ui.messages.last().text,
                  "Insert at least one Representative in the Representative File first.");
        EXPECT_EQ(ui.messages.beeps.size(), 1U);
        EXPECT_EQ(ui.opened().size(), opened);
    }
}

TEST_F(BrowseRepresentativesTest, ButtonsRunTheirProceduresForTheHighlightedRepresentative) {
    addRepresentative("101", "Ann Lee");
    const int second = addRepresentative("102", "Bob Hale");
    int shownFor = 0;
    standIn("BrowseRepMembers",
            [&shownFor](std::string_view) { shownFor = REP::REPRESENTATIVENUMBER.get(); });
    DrivenWindow list = open();
    list.clickRow("Representatives", 1);
    list.press("Customers");
    EXPECT_EQ(shownFor, second);
    // The commissions list does not exist yet: the registry says so.
    list.press("Commissions");
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.last().title, "Procedure not defined");
    EXPECT_NE(ui.messages.last().text.find("BrowseCommissionTransactions"), std::string::npos);
}

TEST_F(BrowseRepresentativesTest, ACallerChoosesARepresentative) {
    addRepresentative("101", "Ann Lee");
    const int second = addRepresentative("102", "Bob Hale");
    buffer(FileId::Representatives).clear();
    ui.when("Registered Representatives", [](DrivenWindow& list) {
        list.clickRow("Representatives", 1);
        list.press("Select");
    });
    EXPECT_EQ(procedures().call("BrowseRepresentatives", SelectRequest), ResponseCompleted);
    EXPECT_EQ(REP::REPRESENTATIVENUMBER.get(), second);
}

TEST_F(BrowseRepresentativesTest, ARepresentativeOfACustomerIsNotDeleted) {
    const int number = addRepresentative("101", "Ann Lee");
    addCustomer("Adams", "");
    MBR::REPRESENTATIVENUMBER.set(number);
    ASSERT_EQ(fileManagerFor(FileId::Members)->Update(), SeverityNone);
    DrivenWindow list = open();
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    list.press("Delete Record");
    EXPECT_EQ(titles(), refusedDelete());
    EXPECT_EQ(list.rows("Representatives"), std::vector<std::string>{"101"});
    EXPECT_EQ(customers(), std::vector<std::string>{"Adams: "});
}

}  // namespace
}  // namespace bb::test
