// The words every window and report shows for a transaction: the type with
// its negative forms, and the description line under the lists.
#include <gtest/gtest.h>

#include <string>

#include "dictionary/files.h"
#include "trading/account_class.h"
#include "trading/transaction_texts.h"

namespace bb {
namespace {

Decimal number(const std::string& text) {
    return Decimal::parse(text).value();
}

TEST(TransactionTexts, TypeTextsWithTheirNegativeForms) {
    const struct {
        const char* code;
        const char* quantity;
        const char* text;
    } cases[] = {{"Buy", "10", "Buy"},
                 {"Sell", "-10", "Sell"},
                 {"Begi", "5", "Beginning Balance"},
                 {"Rece", "10", "Receive"},
                 {"Rece", "-10", "Reverse"},
                 {"Adju", "10", "Positive Adjust"},
                 {"Adju", "-10", "Negative Adjust"},
                 {"Inve", "-1", "Inventory"},
                 {"Xyz", "1", "Xyz"}};
    for (const auto& c : cases) EXPECT_EQ(typeText(c.code, number(c.quantity)), c.text) << c.code;
}

TEST(TransactionTexts, FundSourcesAndClassLines) {
    EXPECT_EQ(fundSourceText("3"), "Redemption/Switch/Exchange");
    EXPECT_EQ(fundSourceText(""), "N/A");
    EXPECT_EQ(fundSourceText("9"), "N/A");
    EXPECT_EQ(classLine("C"), "Commission Account");
    EXPECT_EQ(classLine("F"), "Fee-Based Account");
    EXPECT_EQ(classLine("M"), "Margin Account");
    EXPECT_EQ(classLine("X"), "");
}

TEST(TransactionTexts, PlainNumbers) {
    EXPECT_EQ(plainNumber(number("100.00000")), "100");
    EXPECT_EQ(plainNumber(number("12.50000")), "12.5");
    EXPECT_EQ(plainNumber(number("-3")), "-3");
}

TEST(TransactionTexts, DescriptionLines) {
    const struct {
        const char* type;
        const char* quantity;
        const char* solicited;
        const char* source;
        const char* line;
    } cases[] = {
        {"Buy", "100", "S", "1", "Buy 100 ACME MFG @ 10 - 1/4  (Solicited)  New Money"},
        {"Buy", "100", "U", "", "Buy 100 ACME MFG @ 10 - 1/4  (Unsolicited)  N/A"},
        {"Sell", "-100", "U", "", "Sell 100 ACME MFG @  10 - 1/4 (Unsolicited)"},
        {"Depo", "500", "", "", "Deposit 500 ACME MFG"},
        {"Rece", "-10", "", "", "Reverse 10 ACME MFG"},
    };
    for (const auto& c : cases) {
        buffer(FileId::Transactions).clear();
        TRN::BUYSELL.set(c.type);
        ASSERT_TRUE(TRN::QUANTITY.set(number(c.quantity)));
        TRN::DESCRIPTION.set("ACME MFG");
        TRN::DISPLAYPRICE.set("10 - 1/4");
        TRN::SOLICITEDUNSOLICITED.set(c.solicited);
        TRN::SOURCEFUNDS.set(c.source);
        EXPECT_EQ(descriptionLine(), c.line) << c.type;
    }
}

}  // namespace
}  // namespace bb
