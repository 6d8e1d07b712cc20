// Prices in 64ths: every row of the table at its first and last cent, the
// exact fractional part, and the texts a price is shown and kept as.
#include <gtest/gtest.h>

#include <numeric>
#include <string>

#include "trading/price_fractions.h"

namespace bb {
namespace {

Decimal number(const std::string& text) {
    return Decimal::parse(text).value();
}

std::string hundredths(int cents) {
    return "0." + std::string(cents < 10 ? "0" : "") + std::to_string(cents);
}

std::string lowestTerms(int k) {
    const int common = std::gcd(k, 64);
    return std::to_string(k / common) + "/" + std::to_string(64 / common);
}

// Row k begins at k/64 cut to two decimals (the first just above zero) and
// ends where row k + 1 begins; the last ends at 1.
TEST(PriceFractions, EveryRowMatchesFromItsFirstCentToItsLast) {
    for (int k = 1; k <= 63; ++k) {
        SCOPED_TRACE(k);
        const int first = k == 1 ? 1 : k * 15625 / 10000;
        const int next = k == 63 ? 100 : (k + 1) * 15625 / 10000;
        for (const std::string& f :
             {hundredths(first), hundredths(next - 1), hundredths(next - 1) + "9999"}) {
            const auto row = fractionFor(number(f));
            ASSERT_TRUE(row.has_value()) << f;
            EXPECT_EQ(row->text, lowestTerms(k)) << f;
            EXPECT_EQ(row->value, Decimal::fromUnits(k * 15625, 6)) << f;
        }
    }
}

TEST(PriceFractions, TheBoundsTheTableNames) {
    const struct {
        const char* f;
        const char* row;
    } cases[] = {{"0.001", "1/64"},  {"0.029", "1/64"},  {"0.03", "1/32"},   {"0.04", "3/64"},
                 {"0.17", "11/64"},  {"0.179", "11/64"}, {"0.20", "13/64"},  {"0.25", "1/4"},
                 {"0.2599", "1/4"},  {"0.26", "17/64"},  {"0.50", "1/2"},    {"0.76", "49/64"},
                 {"0.779", "49/64"}, {"0.98", "63/64"},  {"0.9999", "63/64"}};
    for (const auto& c : cases) EXPECT_EQ(fractionFor(number(c.f))->text, c.row) << c.f;
}

TEST(PriceFractions, ZeroNegativeAndWholeMatchNothing) {
    for (const char* f : {"0", "-0.25", "-0.01", "1", "1.5"})
        EXPECT_FALSE(fractionFor(number(f)).has_value()) << f;
}

// In binary floating point 10.26 - 10 is just under .26 and would be 1/4.
TEST(PriceFractions, TheFractionalPartIsExact) {
    EXPECT_EQ(fractionalPart(number("10.26")), number("0.26"));
    EXPECT_EQ(fractionFor(fractionalPart(number("10.26")))->text, "17/64");
    EXPECT_EQ(fractionalPart(number("-5.5")), number("-0.5"));
}

TEST(PriceFractions, PriceTexts) {
    const struct {
        const char* price;
        const char* kind;
        const char* text;
        bool fractional;
    } cases[] = {
        {"10.25", "S", "10 - 1/4", true},
        {"10.265625", "S", "10 - 17/64", true},
        {"0.5", "S", "1/2", true},
        {"12", "S", "12", true},
        {"0", "S", "", true},
        {"10.26", "S", "10.26", false},
        {"99.5", "B", "99 - 1/2", true},
        {"99.515625", "B", "99.515625", false},
        {"99", "B", "99", true},
        {"99.51", "B", "99.51", false},
        {"10.25", "O", "10.25", false},
        {"1", "C", "1.00", false},
        {"-5.5", "S", "-5.50", false},
        {"20", "", "20.00", false},
    };
    for (const auto& c : cases) {
        const PriceText shown = priceText(number(c.price), c.kind);
        EXPECT_EQ(shown.text, c.text) << c.price << " " << c.kind;
        EXPECT_EQ(shown.fractional, c.fractional) << c.price << " " << c.kind;
    }
}

TEST(PriceFractions, TheSuggestedPriceIsTheWholePartAndTheExact64th) {
    const struct {
        const char* price;
        const char* suggested;
        const char* text;
    } cases[] = {{"10.26", "10.265625", "10 - 17/64"},
                 {"0.26", "0.265625", "17/64"},
                 {"99.51", "99.515625", "99 - 33/64"}};
    for (const auto& c : cases) {
        const auto suggested = suggestedPrice(number(c.price));
        ASSERT_TRUE(suggested.has_value()) << c.price;
        EXPECT_EQ(suggested->price, number(c.suggested)) << c.price;
        EXPECT_EQ(suggested->text, c.text) << c.price;
    }
    // Already a 64th, whole, or negative: nothing to suggest.
    for (const char* price : {"10.25", "10.265625", "12", "-5.26"})
        EXPECT_FALSE(suggestedPrice(number(price)).has_value()) << price;
}

}  // namespace
}  // namespace bb
