#include "platform/decimal.h"

#include <gtest/gtest.h>

namespace bb {
namespace {

Decimal D(const char* text) {
    const auto d = Decimal::parse(text);
    EXPECT_TRUE(d.has_value()) << text;
    return d.value_or(Decimal());
}

TEST(Decimal, ParsesAndWritesPlainForm) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"12", "12"},
        {"  12.50 ", "12.50"},
        {"+3", "3"},
        {"-1234.5", "-1234.5"},
        {".5", "0.5"},
        {"5.", "5"},
        {"0.0001", "0.0001"},
        {"000123", "123"},
        {"-0.10", "-0.10"},
        {"9999999999999999999", "9999999999999999999"},
        {"999999999.9999999999", "999999999.9999999999"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(D(in).toString(), out) << in;
}

TEST(Decimal, RejectsWhatIsNotANumber) {
    for (const char* bad : {"", " ", "-", ".", "1.2.3", "1,000", "12a", "1e5", "--1", "$5",
                            "123456789012345678901234567890123456789"}) {
        EXPECT_FALSE(Decimal::parse(bad).has_value()) << bad;
    }
}

struct ArithmeticCase {
    const char* a;
    char op;
    const char* b;
    const char* expected;
};

TEST(Decimal, ArithmeticIsExact) {
    const ArithmeticCase cases[] = {
        {"0.1", '+', "0.2", "0.3"},
        {"1.05", '-', "2", "-0.95"},
        {"12.5", '*', "0.04", "0.500"},
        {"-3", '*', "1.5", "-4.5"},
        {"1", '/', "3", "0.3333333333"},
        {"2", '/', "3", "0.6666666667"},
        {"-2", '/', "3", "-0.6666666667"},
        {"10", '/', "4", "2.5000000000"},
        {"1", '/', "0.0000000003", "3333333333.3333333333"},
        {"0.000000000001", '/', "1", "0.000000000001"},
        {"9999999999999999999", '+', "1", "10000000000000000000"},
        {"123456789.0123456789", '*', "1000", "123456789012.3456789000"},
    };
    for (const auto& c : cases) {
        const Decimal a = D(c.a), b = D(c.b);
        Decimal r;
        switch (c.op) {
            case '+':
                r = a + b;
                break;
            case '-':
                r = a - b;
                break;
            case '*':
                r = a * b;
                break;
            default:
                r = a / b;
                break;
        }
        EXPECT_TRUE(r.ok());
        EXPECT_EQ(r.toString(), c.expected) << c.a << ' ' << c.op << ' ' << c.b;
    }
}

TEST(Decimal, RescalingRoundsHalfAwayFromZero) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"2.345", 2, "2.35"},   {"-2.345", 2, "-2.35"}, {"2.344", 2, "2.34"},  {"0.005", 2, "0.01"},
        {"-0.005", 2, "-0.01"}, {"0.0049", 2, "0.00"},  {"9.995", 2, "10.00"}, {"1.5", 0, "2"},
        {"-1.5", 0, "-2"},      {"7", 3, "7.000"},
    };
    for (const auto& [in, places, out] : cases) {
        EXPECT_EQ(D(in).rescaled(places).toString(), out) << in;
    }
    EXPECT_EQ(D("-2.999").truncated(2).toString(), "-2.99");
    EXPECT_EQ(D("-2.999").wholePart().toString(), "-2");
    EXPECT_EQ(D("123.99").toInt64(), 123);
}

TEST(Decimal, FitsTellsWhetherADeclaredFieldCanHoldTheValue) {
    const std::tuple<const char*, int, int, bool> cases[] = {
        {"99999999999.99", 13, 2, true},    // DECIMAL(13,2) at full width
        {"100000000000.00", 13, 2, false},  // one digit more
        {"-99999999999.99", 13, 2, true},
        {"99999.994", 7, 2, true},   // rounds to 99999.99
        {"99999.995", 7, 2, false},  // rounds to 100000.00
        {"9.9999", 5, 4, true},      // DECIMAL(5,4)
        {"10", 5, 4, false},
        {"999999999.9999999999", 19, 10, true},
        {"1000000000", 19, 10, false},
        {"0", 3, 2, true},
        {"0.001", 3, 2, true},
    };
    for (const auto& [value, digits, places, fits] : cases) {
        EXPECT_EQ(D(value).fits(digits, places), fits)
            << value << " in " << digits << ',' << places;
    }
}

TEST(Decimal, OverflowAndDivisionByZeroAreReportedNotWrapped) {
    const Decimal big = D("99999999999999999999999999999999999999");  // 38 digits
    EXPECT_TRUE(big.ok());
    const Decimal sum = big + Decimal(1);
    EXPECT_EQ(sum.state(), Decimal::State::Overflow);
    EXPECT_EQ((big * Decimal(10)).state(), Decimal::State::Overflow);
    EXPECT_EQ((D("9999999999999999999") * D("9999999999999999999") * Decimal(10)).state(),
              Decimal::State::Overflow);
    EXPECT_EQ((Decimal(5) / Decimal()).state(), Decimal::State::DivideByZero);
    // A failure stays a failure through further arithmetic and never fits a field.
    const Decimal later = (Decimal(5) / Decimal()) + Decimal(1);
    EXPECT_FALSE(later.ok());
    EXPECT_FALSE(later.fits(19, 0));
    EXPECT_EQ(sum.toString(), "overflow");
    EXPECT_EQ(D("0.5").rescaled(40).state(), Decimal::State::Overflow);
}

TEST(Decimal, ComparesNumericallyAcrossPlaces) {
    EXPECT_EQ(D("1.5"), D("1.50"));
    EXPECT_LT(D("-2"), D("-1.99"));
    EXPECT_GT(D("0.001"), D("0"));
    // Scaling one side up would overflow: the magnitudes still decide.
    const Decimal huge = D("99999999999999999999999999999999999999");
    const Decimal tiny = D("0.00000000000000000000000000000000000001");
    EXPECT_GT(huge, tiny);
    EXPECT_LT(-huge, tiny);
    EXPECT_GT(tiny, -huge);
    EXPECT_LT(tiny, huge);
}

}  // namespace
}  // namespace bb
