// The product form: its checks in order (a symbol longer than a trade can
// hold among them), symbols unique whatever their case, a rename announced
// and carried into the investment's trades only, and a product with trades
// kept.
#include <gtest/gtest.h>

#include "catalogue_fixture.h"

namespace bb::test {
namespace {

class UpdateSecuritiesTest : public CatalogueTest {
protected:
    UpdateSecuritiesTest() {
        const int stocks = addCategory("Stocks");
        alpha_ = addInvestment(stocks, "Alpha Family");
        beta_ = addInvestment(stocks, "Beta Family");
        addObjective("GR", "Growth");
        addObjective("IN", "Income");
    }
    // Runs the form for a new product of Alpha Family with `script`.
    int insert(WindowDriver::Script script) {
        EXPECT_EQ(fileManagerFor(FileId::Securities)->PrimeNewRecord(), SeverityNone);
        SEC::CATEGORYNUMBER.set(alpha_);
        ui.when("Update Security Products", std::move(script));
        return procedures().call("UpdateSecurities", InsertRequest);
    }
    int change(int product, WindowDriver::Script script) {
        read(FileId::Securities, SEC::key::SECURITYNUMBERKEY, SEC::SECURITYNUMBER, product);
        ui.when("Update Security Products", std::move(script));
        return procedures().call("UpdateSecurities", ChangeRequest);
    }
    std::vector<std::string> products() {
        return rows(FileId::Securities, SEC::key::SYMBOLKEY,
                    {SEC::SYMBOL, SEC::SECURITYNAME, SEC::INVESTMENTTYPE, SEC::ACTIVE});
    }
    int alpha_ = 0;
    int beta_ = 0;
};

TEST_F(UpdateSecuritiesTest, ANewProductIsSavedUnderItsInvestment) {
    EXPECT_EQ(insert([](DrivenWindow& form) {
                  EXPECT_EQ(form.caption(), "Record Will Be Added");
                  EXPECT_EQ(form.shown("Investment"), "Alpha Family");
                  form.type("Symbol", "ALPHX");
                  form.type("Name", "Alpha Value");
                  form.type("Cusip Number", "123456789");
                  form.type("Description", "Large value stocks");
                  form.pick("Objective", "Income");
                  form.check("Active", true);
                  form.screenshot("update security products");
                  form.press("OK");
              }),
              ResponseCompleted);
    EXPECT_EQ(products(), std::vector<std::string>{"ALPHX|Alpha Value|IN|1"});
    EXPECT_TRUE(ui.messages.shown.empty());
}

TEST_F(UpdateSecuritiesTest, OkChecksSymbolItsLengthAndNameInOrder) {
    struct Case {
        const char* symbol;
        const char* name;
        const char* title;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"", "Alpha Value", "Security Symbol Required",
         "     Enter the symbol for this product or company.", "Symbol"},
        // A trade holds seven characters: an eighth is refused, before the name.
        {"ALPHAVAL", "", "Security Symbol Too Long", "     A symbol may have at most 7 characters.",
         "Symbol"},
        {"ALPHX", "", "Security Name Required", "     Enter the name of this product or company.",
         "Name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ui.messages.clear();
        EXPECT_EQ(insert([&c](DrivenWindow& form) {
                      form.type("Symbol", c.symbol);
                      form.type("Name", c.name);
                      form.press("OK");
                      EXPECT_FALSE(form.manager().Closed());
                      EXPECT_EQ(form.focused(), c.focus);
                      form.type("Symbol", "ALPHAVA");
                      form.type("Name", "Alpha Value");
                      form.press("OK");
                  }),
                  ResponseCompleted);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, c.title);
        EXPECT_EQ(ui.messages.last().text, c.text);
        EXPECT_EQ(ui.messages.beeps.size(), 1U);
        // The box was left unchecked: the product is not active.
        EXPECT_EQ(products(), std::vector<std::string>{"ALPHAVA|Alpha Value||"});
        ASSERT_EQ(relationManagerFor(FileId::Securities)->Delete(false), SeverityNone);
    }
}

TEST_F(UpdateSecuritiesTest, ASymbolTakenInAnotherCaseIsRefused) {
    addProduct(beta_, {.symbol = "ABC", .name = "Beta ABC"});
    EXPECT_EQ(insert([](DrivenWindow& form) {
                  form.type("Symbol", "abc");
                  form.type("Name", "Alpha ABC");
                  form.press("OK");
                  EXPECT_FALSE(form.manager().Closed());
                  form.type("Symbol", "ABD");
                  form.press("OK");
              }),
              ResponseCompleted);
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.shown.front().title, "Duplicate Key Error");
    EXPECT_NE(ui.messages.shown.front().text.find("SEC:SymbolKey"), std::string::npos);
    EXPECT_EQ(products(), (std::vector<std::string>{"ABC|Beta ABC||1", "ABD|Alpha ABC||"}));
}

TEST_F(UpdateSecuritiesTest, ARenameIsAnnouncedAndReachesTheInvestmentsTradesOnly) {
    const int abc = addProduct(alpha_, {.symbol = "ABC", .name = "Alpha ABC"});
    addTrade(alpha_, "ABC");
    addTrade(beta_, "ABC");
    addTrade(alpha_, "XYZ");
    addTrade(alpha_, "ABC");
    EXPECT_EQ(change(abc,
                     [](DrivenWindow& form) {
                         form.type("Symbol", "ABD");
                         form.press("OK");
                     }),
              ResponseCompleted);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Security Symbol Changed");
    EXPECT_EQ(ui.messages.last().text,
              "Security Symbol ABC has been changed ...||Original: ABC   New: ABD||All Account "
              "Transaction records will be updated.");
    EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
    const std::string a = std::to_string(alpha_);
    const std::string b = std::to_string(beta_);
    EXPECT_EQ(trades(), (std::vector<std::string>{a + "|ABD", b + "|ABC", a + "|XYZ", a + "|ABD"}));
}

TEST_F(UpdateSecuritiesTest, AChangeKeepingTheSymbolAnnouncesNothing) {
    const int abc = addProduct(alpha_, {.symbol = "ABC", .name = "Alpha ABC"});
    EXPECT_EQ(change(abc,
                     [](DrivenWindow& form) {
                         EXPECT_EQ(form.shown("Active"), "checked");
                         form.check("Active", false);
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(products(), std::vector<std::string>{"ABC|Alpha ABC||0"});
}

TEST_F(UpdateSecuritiesTest, AProductWithTradesIsNotDeleted) {
    const int abc = addProduct(alpha_, {.symbol = "ABC", .name = "Alpha ABC"});
    addTrade(alpha_, "ABC");
    read(FileId::Securities, SEC::key::SECURITYNUMBERKEY, SEC::SECURITYNUMBER, abc);
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    procedures().call("UpdateSecurities", DeleteRequest);
    EXPECT_EQ(titles(),
              (std::vector<std::string>{"Confirm Delete", "Referential Integrity Delete Error",
                                        "Record Delete Error"}));
    EXPECT_NE(ui.messages.shown[1].text.find("Transactions"), std::string::npos)
        << ui.messages.shown[1].text;
    EXPECT_EQ(products().size(), 1U);
}

}  // namespace
}  // namespace bb::test
