// The Customer Classification list: two lines per classification, and a
// delete that the customers of the classification refuse.
#include <gtest/gtest.h>

#include "reference_fixture.h"

namespace bb::test {
namespace {

class BrowseMembershipTypesTest : public ReferenceTest {
protected:
    DrivenWindow open() {
        procedures().call("BrowseMembershipTypes");
        ui.settle();
        return ui.window("Customer Classification");
    }
};

TEST_F(BrowseMembershipTypesTest, ShowsEachClassificationWithItsDescription) {
    addClassification("Retail", "Individual investors");
    addClassification("Institutional", "Banks and funds");
    DrivenWindow list = open();
    EXPECT_EQ(list.rows("Classifications"),
              (std::vector<std::string>{"Institutional\nBanks and funds",
                                        "Retail\nIndividual investors"}));
}

TEST_F(BrowseMembershipTypesTest, OnlyAClassificationNoCustomerHasIsDeleted) {
    addClassification("Retail", "Individual investors");
    addClassification("Wholesale", "Dealers");
    addCustomer("Adams", "Retail");
    DrivenWindow list = open();
    ui.messages.answer(ButtonYes);  // yes, delete Retail
    ui.messages.answer(ButtonNo);   // no, do not try again
    list.clickRow("Classifications", 0);
    list.press("Delete");
    EXPECT_EQ(titles(), refusedDelete());
    EXPECT_EQ(list.rows("Classifications"),
              (std::vector<std::string>{"Retail\nIndividual investors", "Wholesale\nDealers"}));

    ui.messages.answer(ButtonYes);  // yes, delete Wholesale
    list.clickRow("Classifications", 1);
    list.press("Delete");
    EXPECT_EQ(list.rows("Classifications"),
              std::vector<std::string>{"Retail\nIndividual investors"});
    EXPECT_EQ(customers(), std::vector<std::string>{"Adams: Retail"});
}

}  // namespace
}  // namespace bb::test
