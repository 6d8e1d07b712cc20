// The category list: its two orders, "&Select" refused on an empty list and
// otherwise leading to the highlighted category's investments, and a
// category with investments kept.
#include <gtest/gtest.h>

#include "catalogue_fixture.h"

namespace bb::test {
namespace {

class BrowseCategoriesTest : public CatalogueTest {
protected:
    DrivenWindow open() {
        procedures().call("BrowseCategories");
        ui.settle();
        return ui.window("Select a Category");
    }
};

TEST_F(BrowseCategoriesTest, ListsCategoriesByNameOrByNumber) {
    addCategory("Stocks");
    addCategory("Bonds");
    DrivenWindow list = open();
    EXPECT_EQ(list.shown("Heading"), "Select a Securitry Product Category");
    EXPECT_EQ(list.rows("Categories"), (std::vector<std::string>{"Bonds", "Stocks"}));
    list.screenshot("select a category");
    list.choose("by Number");
    EXPECT_EQ(list.rows("Categories"), (std::vector<std::string>{"Stocks", "Bonds"}));
    EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseCategories");
}

TEST_F(BrowseCategoriesTest, SelectOnAnEmptyListOpensNothing) {
    DrivenWindow list = open();
    const std::size_t opened = ui.opened().size();
    list.press("Select");
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Insert Record Required");
    EXPECT_EQ(ui.messages.last().text, "You must enter a Category record first...");
    EXPECT_EQ(ui.messages.beeps.size(), 1U);
    EXPECT_EQ(ui.opened().size(), opened);
}

TEST_F(BrowseCategoriesTest, SelectOpensTheInvestmentsOfTheHighlightedCategory) {
    const int bonds = addCategory("Bonds");
    const int stocks = addCategory("Stocks");
    addInvestment(bonds, "Muni Partners");
    addInvestment(stocks, "Growth Sponsors");
    addInvestment(stocks, "Alpha Family", true);
    DrivenWindow list = open();
    list.clickRow("Categories", 1);
    ui.when("Select an Investment", [](DrivenWindow& investments) {
        EXPECT_EQ(investments.shown("Owner"), "Stocks");
        EXPECT_EQ(investments.rows("Investments"),
                  (std::vector<std::string>{"Alpha Family", "Growth Sponsors"}));
        investments.press("Close");
    });
    list.press("Select");
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

TEST_F(BrowseCategoriesTest, InsertAddsACategoryThroughItsForm) {
    DrivenWindow list = open();
    ui.when("Update Security Product Categories", [](DrivenWindow& form) {
        form.press("OK");
        EXPECT_FALSE(form.manager().Closed());
        EXPECT_EQ(form.focused(), "Category Name");
        form.type("Category Name", "Annuities");
        form.press("OK");
    });
    list.press("Insert Record");
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Category Name Required");
    EXPECT_EQ(ui.messages.last().text, "     Enter a name for this product category.");
    EXPECT_EQ(list.rows("Categories"), std::vector<std::string>{"Annuities"});
}

TEST_F(BrowseCategoriesTest, ACategoryWithInvestmentsIsNotDeleted) {
    const int stocks = addCategory("Stocks");
    addInvestment(stocks, "Growth Sponsors");
    DrivenWindow list = open();
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    list.press("Delete Record");
    EXPECT_EQ(titles(),
              (std::vector<std::string>{"Confirm Delete", "Referential Integrity Delete Error",
                                        "Record Delete Error"}));
    EXPECT_NE(ui.messages.shown[1].text.find("Categories"), std::string::npos)
        << ui.messages.shown[1].text;
    EXPECT_EQ(list.rows("Categories"), std::vector<std::string>{"Stocks"});
}

}  // namespace
}  // namespace bb::test
