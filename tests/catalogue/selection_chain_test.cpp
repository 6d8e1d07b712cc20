// The chain a trade's "..." runs: a category, then one of its investments,
// then one of its products, each chosen in its own selection list;
// cancelling at any level chooses nothing.
#include <gtest/gtest.h>

#include "catalogue/catalogue_windows.h"
#include "catalogue_fixture.h"

namespace bb::test {
namespace {

class SelectionChainTest : public CatalogueTest {
protected:
    SelectionChainTest() {
        const int bonds = addCategory("Bonds");
        const int stocks = addCategory("Stocks");
        addInvestment(bonds, "Muni Partners");
        const int alpha = addInvestment(stocks, "Alpha Family");
        addInvestment(stocks, "Beta Family");
        addProduct(alpha, {.symbol = "ALPBX", .name = "Alpha Bond", .active = false});
        alphx_ = addProduct(alpha, {.symbol = "ALPHX", .name = "Alpha Value"});
    }
    // Scripts the three lists: the category, investment and product rows
    // chosen, or, at the level named `cancelAt`, Close.
    void script(std::string_view cancelAt, int productRow = 1) {
        ui.when("Select a Category", [=](DrivenWindow& list) {
            list.clickRow("Categories", 1);
            list.press(cancelAt == "category" ? "Close" : "Select");
        });
        if (cancelAt == "category") return;
        ui.when("Select an Investment", [=](DrivenWindow& list) {
            EXPECT_EQ(list.shown("Owner"), "Stocks");
            list.clickRow("Investments", 0);
            list.press(cancelAt == "investment" ? "Close" : "Select");
        });
        if (cancelAt == "investment") return;
        ui.when("Select a Security Product", [=](DrivenWindow& list) {
            EXPECT_EQ(list.shown("Owner"), "Alpha Family");
            EXPECT_FALSE(list.hasButton("Cross Reference"));
            list.screenshot("select a security product");
            list.clickRow("Products", productRow);
            list.press(cancelAt == "product" ? "Close" : "Select");
        });
    }
    int alphx_ = 0;
};

TEST_F(SelectionChainTest, ReturnsTheProductChosenThroughTheThreeLists) {
    script("");
    buffer(FileId::Securities).clear();
    EXPECT_EQ(chooseSecurityProduct().value_or(0), alphx_);
    EXPECT_EQ(SEC::SYMBOL.get(), "ALPHX");
    EXPECT_EQ(ui.waitingScripts(), 0U);
    EXPECT_EQ(ui.opened(), (std::vector<std::string>{"Select a Category", "Select an Investment",
                                                     "Select a Security Product"}));
}

TEST_F(SelectionChainTest, AnInactiveProductCanBeChosen) {
    script("", 0);
    EXPECT_TRUE(chooseSecurityProduct().has_value());
    EXPECT_EQ(SEC::SYMBOL.get(), "ALPBX");
    EXPECT_EQ(SEC::ACTIVE.get(), "0");
}

TEST_F(SelectionChainTest, CancellingAtAnyLevelChoosesNothing) {
    for (const char* level : {"category", "investment", "product"}) {
        SCOPED_TRACE(level);
        script(level);
        EXPECT_FALSE(chooseSecurityProduct().has_value());
        EXPECT_EQ(processValues().LastResponse, ResponseCancelled);
        EXPECT_EQ(ui.waitingScripts(), 0U);
    }
}

using EmptyCatalogueTest = CatalogueTest;

TEST_F(EmptyCatalogueTest, TheChainStopsAtTheCategoryWithItsGuard) {
    ui.when("Select a Category", [](DrivenWindow& list) {
        list.press("Select");
        EXPECT_FALSE(list.manager().Closed());
        list.press("Close");
    });
    EXPECT_FALSE(chooseSecurityProduct().has_value());
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().text, "You must enter a Category record first...");
    EXPECT_EQ(ui.opened(), std::vector<std::string>{"Select a Category"});
}

}  // namespace
}  // namespace bb::test
