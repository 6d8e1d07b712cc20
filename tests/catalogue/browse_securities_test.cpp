// The products of an investment: its three tabs with their "Find:"
// entries, only that investment's products whatever another window reads
// later, inactive products in silver, and the objective line.
#include <gtest/gtest.h>

#include <QColor>
#include <QLineEdit>
#include <QTest>

#include "catalogue_fixture.h"
#include "ui/browse_manager.h"
#include "ui/browse_model.h"

namespace bb::test {
namespace {

class BrowseSecuritiesTest : public CatalogueTest {
protected:
    BrowseSecuritiesTest() {
        const int stocks = addCategory("Stocks");
        alpha_ = addInvestment(stocks, "Alpha Family");
        beta_ = addInvestment(stocks, "Beta Family");
        addObjective("GR", "Growth");
        addProduct(alpha_,
                   {.symbol = "ALPHX", .name = "Alpha Value", .cusip = "300", .objective = "GR"});
        addProduct(alpha_, {.symbol = "ALPBX",
                            .name = "Alpha Bond",
                            .cusip = "200",
                            .objective = "ZZ",
                            .active = false});
        addProduct(alpha_, {.symbol = "ALPCX", .name = "Alpha Cash", .cusip = "100"});
        addProduct(beta_, {.symbol = "BETAX", .name = "Beta Growth", .cusip = "150"});
    }
    void open(int investment, WindowDriver::Script script) {
        read(FileId::Categories, CAT::key::CATEGORYNUMBERKEY, CAT::CATEGORYNUMBER, investment);
        ui.when("Security Products", std::move(script));
        procedures().call("BrowseSecurities", ProcessRequest);
        EXPECT_EQ(ui.waitingScripts(), 0U);
    }
    // Types `text` in the tab's "Find:" entry named `name`, then leaves it.
    void find(DrivenWindow& list, std::string_view name, const char* text) {
        auto* entry = qobject_cast<QLineEdit*>(list.manager().Control(name));
        ASSERT_NE(entry, nullptr);
        entry->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(entry, text);
        QTest::keyClick(entry, Qt::Key_Tab);
        ui.settle();
    }
    int alpha_ = 0;
    int beta_ = 0;
};

TEST_F(BrowseSecuritiesTest, EachTabListsTheInvestmentsProductsInItsOrder) {
    open(alpha_, [this](DrivenWindow& list) {
        EXPECT_EQ(list.shown("Heading"), "Security Product Maintenance");
        EXPECT_EQ(list.shown("Owner"), "Alpha Family");
        EXPECT_EQ(list.rows("Products"), (std::vector<std::string>{"ALPBX", "ALPCX", "ALPHX"}));
        list.screenshot("security products");
        // Another window reads the other investment: the list stays Alpha's.
        read(FileId::Categories, CAT::key::CATEGORYNUMBERKEY, CAT::CATEGORYNUMBER, beta_);
        list.showTab("Name");
        EXPECT_EQ(list.rows("Products", 1),
                  (std::vector<std::string>{"Alpha Bond", "Alpha Cash", "Alpha Value"}));
        list.showTab("Cusip");
        EXPECT_EQ(list.rows("Products", 3), (std::vector<std::string>{"100", "200", "300"}));
        find(list, "FindCusip", "2");
        EXPECT_EQ(list.highlighted("Products"), 1);
        EXPECT_EQ(list.rows("Products", 0)[1], "ALPBX");
        list.showTab("Name");
        find(list, "FindName", "Alpha V");
        EXPECT_EQ(list.highlighted("Products"), 2);
        list.press("Close");
    });
}

TEST_F(BrowseSecuritiesTest, InactiveProductsAreSilverAndTheObjectiveIsShown) {
    open(alpha_, [](DrivenWindow& list) {
        const BrowseModel& model = list.manager().Browse("Products")->Rows();
        for (int column = 0; column < 5; ++column) {
            EXPECT_EQ(model.index(0, column).data(Qt::ForegroundRole).value<QColor>(),
                      QColor(0xC0C0C0));
            EXPECT_EQ(
                model.index(0, column).data(BrowseModel::kSelectedForegroundRole).value<QColor>(),
                QColor(0xFFFFFF));
            EXPECT_EQ(
                model.index(0, column).data(BrowseModel::kSelectedBackgroundRole).value<QColor>(),
                QColor(0xC0C0C0));
            EXPECT_FALSE(model.index(1, column).data(Qt::ForegroundRole).isValid());
        }
        // An unknown code, no code, and a code on file.
        EXPECT_EQ(list.shown("Objective"), "");
        list.clickRow("Products", 1);
        EXPECT_EQ(list.shown("Objective"), "");
        list.clickRow("Products", 2);
        EXPECT_EQ(list.shown("Objective"), "Growth");
        list.press("Close");
    });
}

TEST_F(BrowseSecuritiesTest, AProductAddedFromAnyTabBelongsToTheInvestment) {
    open(beta_, [this](DrivenWindow& list) {
        read(FileId::Categories, CAT::key::CATEGORYNUMBERKEY, CAT::CATEGORYNUMBER, alpha_);
        list.showTab("Name");
        ui.when("Update Security Products", [](DrivenWindow& form) {
            EXPECT_EQ(form.shown("Investment"), "Beta Family");
            form.type("Symbol", "BETBX");
            form.type("Name", "Beta Bond");
            form.check("Active", true);
            form.press("OK");
        });
        list.press("Insert Record");
        EXPECT_EQ(list.rows("Products", 1), (std::vector<std::string>{"Beta Bond", "Beta Growth"}));
        list.press("Close");
    });
    EXPECT_EQ(rows(FileId::Securities, SEC::key::SYMBOLKEY, {SEC::SYMBOL, SEC::CATEGORYNUMBER}),
              (std::vector<std::string>{
                  "ALPBX|" + std::to_string(alpha_), "ALPCX|" + std::to_string(alpha_),
                  "ALPHX|" + std::to_string(alpha_), "BETAX|" + std::to_string(beta_),
                  "BETBX|" + std::to_string(beta_)}));
}

TEST_F(BrowseSecuritiesTest, CrossReferenceRunsForTheHighlightedProduct) {
    std::string printed;
    standIn("PrintSecurityCrossReference",
            [&printed](std::string_view) { printed = SEC::SYMBOL.get(); });
    open(alpha_, [](DrivenWindow& list) {
        list.clickRow("Products", 2);
        list.press("Cross Reference");
        EXPECT_EQ(list.rows("Products").size(), 3U);
        list.press("Close");
    });
    EXPECT_EQ(printed, "ALPHX");
}

}  // namespace
}  // namespace bb::test
