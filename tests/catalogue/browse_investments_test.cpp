// The investments of a category: only that category's, whatever another
// window reads into the category's buffer later; the focus sponsor line;
// new investments landing in the category from either order; and
// "&Select" leading to the products.
#include <gtest/gtest.h>

#include "catalogue_fixture.h"

namespace bb::test {
namespace {

class BrowseInvestmentsTest : public CatalogueTest {
protected:
    BrowseInvestmentsTest() {
        bonds_ = addCategory("Bonds");
        stocks_ = addCategory("Stocks");
        addInvestment(bonds_, "Muni Partners");
        growth_ = addInvestment(stocks_, "Growth Sponsors");
        alpha_ = addInvestment(stocks_, "Alpha Family", true);
    }
    // Opens the investments of `category` as its list does, with `script`.
    void open(int category, WindowDriver::Script script) {
        read(FileId::Rooms, ROO::key::ROOMNUMBERKEY, ROO::ROOMNUMBER, category);
        ui.when("Select an Investment", std::move(script));
        procedures().call("BrowseInvestments", ProcessRequest);
        EXPECT_EQ(ui.waitingScripts(), 0U);
    }
    int bonds_ = 0;
    int stocks_ = 0;
    int growth_ = 0;
    int alpha_ = 0;
};

TEST_F(BrowseInvestmentsTest, ListsTheCategorysInvestmentsWithTheFocusSponsorLine) {
    open(stocks_, [](DrivenWindow& list) {
        EXPECT_EQ(list.shown("Heading"), "Select a Security Product Category");
        EXPECT_EQ(list.shown("Owner"), "Stocks");
        EXPECT_EQ(list.rows("Investments"),
                  (std::vector<std::string>{"Alpha Family", "Growth Sponsors"}));
        EXPECT_EQ(list.shown("Focus Sponsor"), "Focus Sponsor");
        list.screenshot("select an investment");
        list.clickRow("Investments", 1);
        EXPECT_EQ(list.shown("Focus Sponsor"), "");
        list.choose("by Number");
        EXPECT_EQ(list.rows("Investments"),
                  (std::vector<std::string>{"Growth Sponsors", "Alpha Family"}));
        list.press("Close");
    });
}

TEST_F(BrowseInvestmentsTest, TheListKeepsItsCategoryWhateverTheBufferHoldsLater) {
    open(stocks_, [this](DrivenWindow& list) {
        // Another window reads a different category while the list is open.
        read(FileId::Rooms, ROO::key::ROOMNUMBERKEY, ROO::ROOMNUMBER, bonds_);
        list.choose("by Number");
        EXPECT_EQ(list.rows("Investments"),
                  (std::vector<std::string>{"Growth Sponsors", "Alpha Family"}));
        ui.when("Update Security Product Investments", [](DrivenWindow& form) {
            form.type("Investment", "Zeta Funds");
            form.press("OK");
        });
        list.press("Insert Record");
        list.choose("Investment");
        EXPECT_EQ(list.rows("Investments"),
                  (std::vector<std::string>{"Alpha Family", "Growth Sponsors", "Zeta Funds"}));
        list.press("Close");
    });
    EXPECT_EQ(
        rows(FileId::Categories, CAT::key::CATEGORYNAMEKEY, {CAT::CATEGORYNAME, CAT::ROOMNUMBER}),
        (std::vector<std::string>{
            "Alpha Family|" + std::to_string(stocks_), "Growth Sponsors|" + std::to_string(stocks_),
            "Muni Partners|" + std::to_string(bonds_), "Zeta Funds|" + std::to_string(stocks_)}));
}

TEST_F(BrowseInvestmentsTest, TheFormRefusesABlankNameAndKeepsTheFocusSponsorBox) {
    open(bonds_, [this](DrivenWindow& list) {
        ui.when("Update Security Product Investments", [](DrivenWindow& form) {
            form.check("Focus Sponsor", true);
            form.press("OK");
            EXPECT_FALSE(form.manager().Closed());
            EXPECT_EQ(form.focused(), "Investment");
            form.type("Investment", "Bond Sponsor");
            form.screenshot("update security product investments");
            form.press("OK");
        });
        list.press("Insert Record");
        EXPECT_EQ(list.shown("Focus Sponsor"), "Focus Sponsor");
        list.press("Close");
    });
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Category Name Required");
    EXPECT_EQ(ui.messages.last().text, "     Enter a name for this product category.");
}

TEST_F(BrowseInvestmentsTest, SelectNeedsAnInvestmentAndOpensItsProducts) {
    const int empty = addCategory("Options");
    open(empty, [](DrivenWindow& list) {
        list.press("Select");
        list.press("Close");
    });
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Insert Record Required");
    EXPECT_EQ(ui.messages.last().text, "You must enter an Investment record first...");
    EXPECT_EQ(ui.messages.beeps.size(), 1U);
    addProduct(alpha_, {.symbol = "ALPHX", .name = "Alpha Growth"});
    open(stocks_, [this](DrivenWindow& list) {
        ui.when("Security Products", [](DrivenWindow& products) {
            EXPECT_EQ(products.shown("Owner"), "Alpha Family");
            EXPECT_EQ(products.rows("Products"), std::vector<std::string>{"ALPHX"});
            products.press("Close");
        });
        list.press("Select");
        list.press("Close");
    });
}

TEST_F(BrowseInvestmentsTest, AnInvestmentWithProductsOrTradesIsNotDeleted) {
    addProduct(alpha_, {.symbol = "ALPHX", .name = "Alpha Growth"});
    addTrade(growth_, "GRO");
    for (int row : {0, 1}) {
        SCOPED_TRACE(row);
        ui.messages.clear();
        open(stocks_, [this, row](DrivenWindow& list) {
            list.clickRow("Investments", row);
            ui.messages.answer(ButtonYes);  // yes, delete
            ui.messages.answer(ButtonNo);   // no, do not try again
            list.press("Delete Record");
            EXPECT_EQ(list.rows("Investments").size(), 2U);
            list.press("Close");
        });
        ASSERT_EQ(ui.messages.shown.size(), 3U);
        EXPECT_EQ(ui.messages.shown[1].title, "Referential Integrity Delete Error");
        EXPECT_NE(ui.messages.shown[1].text.find(row == 0 ? "Securities" : "Transactions"),
                  std::string::npos)
            << ui.messages.shown[1].text;
    }
}

}  // namespace
}  // namespace bb::test
