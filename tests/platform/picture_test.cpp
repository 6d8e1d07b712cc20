#include "platform/picture.h"

#include <gtest/gtest.h>

#include "platform/date.h"

namespace bb {
namespace {

Picture P(const char* spec) {
    std::string error;
    auto p = Picture::compile(spec, &error);
    EXPECT_TRUE(p.has_value()) << spec << ": " << error;
    return *p;
}

Value N(const char* text) {
    return Value::number(*Decimal::parse(text));
}
Value Day(int y, int m, int d) {
    return Value::number(*dayNumber(y, m, d));
}

struct FormatCase {
    const char* picture;
    Value value;
    const char* shown;
};

TEST(Picture, FormatsEveryPictureInUse) {
    const FormatCase cases[] = {
        {"@n-14.2", N("1234567.891"), "  1,234,567.89"},
        {"@n-14.2", N("-1234.5"), "     -1,234.50"},
        {"@n-14.2", N("0"), "          0.00"},
        {"@n$-15.2", N("-1234.5"), "     -$1,234.50"},
        // Grouped it would take 18 characters: shown without commas instead.
        {"@n$-15.2", N("99999999999.99"), "$99999999999.99"},
        {"@n$11", N("1234567"), " $1,234,567"},
        {"@n$11", N("1234567.5"), " $1,234,568"},
        {"@n-7.2", N("8.5"), "   8.50"},
        {"@n5.2", N("11"), "11.00"},
        {"@n5.2", N("123"), "#####"},
        {"@n6.2", N("150"), "150.00"},
        {"@n3", N("11"), " 11"},
        {"@n2", N("31"), "31"},
        {"@n-13", N("-42"), "          -42"},
        {"@n-13", N("1234567"), "    1,234,567"},
        {"n4b", N("0"), "    "},
        {"n4b", Value::text("0123"), " 123"},
        {"n4b", N("1234"), "1234"},  // no room for the comma: shown ungrouped
        {"@s20", Value::text("Acme Corporation International"), "Acme Corporation Int"},
        {"@s5", Value::text("Müller"), "Mülle"},
        {"@s2", N("7"), "7"},
        {"@d2", Day(1999, 3, 5), "03/05/1999"},
        {"@d2", N("0"), ""},
        {"@d1", Day(2004, 12, 31), "12/31/04"},
        {"@d3", Day(1999, 3, 5), "Mar 5, 1999"},
        {"@p(###) ###-####p", Value::text("5551234567"), "(555) 123-4567"},
        {"@p(###) ###-####p", Value::text("1234567"), "(   ) 123-4567"},
        {"@p(###) ###-####p", Value::text(""), "(   )    -    "},
        {"@p(###) ###-####p", Value::text("555123456789"), "##############"},
        {"@p(###)p", N("212"), "(212)"},
        {"@p(###)p", N("0"), "(   )"},
    };
    for (const auto& c : cases) {
        const Picture p = P(c.picture);
        EXPECT_EQ(p.format(c.value), c.shown) << c.picture << " of " << c.value.toText();
    }
}

struct ReadCase {
    const char* picture;
    const char* typed;
    Value expected;
};

TEST(Picture, ReadsTypedInputBack) {
    const ReadCase cases[] = {
        {"@n-14.2", "1,234.5", N("1234.50")},
        {"@n-14.2", "  -12 ", N("-12.00")},
        {"@n-14.2", "12-", N("-12.00")},
        {"@n-14.2", "", N("0.00")},
        {"@n-14.2", "2.345", N("2.35")},
        {"@n$-15.2", "$1,000,000.00", N("1000000.00")},
        {"@n$-15.2", "-$5", N("-5.00")},
        {"@n5.2", "99.99", N("99.99")},
        {"@n3", "240", N("240")},
        {"@n2", "7", N("7")},
        {"n4b", "0042", N("42")},
        {"@s5", "abcdefg", Value::text("abcde")},
        {"@s5", "ab   ", Value::text("ab")},
        {"@d2", "3/5/1999", Day(1999, 3, 5)},
        {"@d2", "03-05-1999", Day(1999, 3, 5)},
        {"@d2", "03051999", Day(1999, 3, 5)},
        {"@d2", "2/29/2000", Day(2000, 2, 29)},
        {"@d2", "", Value::number(0)},
        {"@d3", "Mar 5, 1999", Day(1999, 3, 5)},
        {"@d3", "march 5 1999", Day(1999, 3, 5)},
        {"@p(###) ###-####p", "(555) 123-4567", Value::text("5551234567")},
        {"@p(###) ###-####p", "555.123.4567", Value::text("5551234567")},
        {"@p(###)p", "212", Value::text("212")},
    };
    for (const auto& c : cases) {
        const Picture::Result r = P(c.picture).deformat(c.typed);
        ASSERT_TRUE(r.ok()) << c.picture << " '" << c.typed << "': " << r.error;
        if (c.expected.isNumber()) {
            ASSERT_TRUE(r.value->isNumber()) << c.picture << " '" << c.typed << "'";
            EXPECT_EQ(r.value->asNumber(), c.expected.asNumber())
                << c.picture << " '" << c.typed << "'";
        } else {
            EXPECT_EQ(r.value->toText(), c.expected.asText())
                << c.picture << " '" << c.typed << "'";
        }
    }
}

TEST(Picture, FormattedValuesReadBackToThemselves) {
    const std::pair<const char*, Value> cases[] = {
        {"@n-14.2", N("-98765432.10")}, {"@n$-15.2", N("1234.56")},
        {"@n$11", N("1234567")},        {"@n-7.2", N("-12.25")},
        {"@n5.2", N("0.05")},           {"@n3", N("240")},
        {"@d2", Day(2024, 2, 29)},      {"@d1", Day(2010, 7, 4)},
        {"@d3", Day(1801, 1, 1)},       {"@p(###) ###-####p", Value::text("2125550199")},
    };
    Clock::fix(*dayNumber(2026, 12, 9));
    for (const auto& [spec, value] : cases) {
        const Picture p = P(spec);
        const Picture::Result back = p.deformat(p.format(value));
        ASSERT_TRUE(back.ok()) << spec << ": " << back.error;
        EXPECT_EQ(back.value->toText(), value.toText()) << spec;
    }
    Clock::release();
}

TEST(Picture, TwoDigitYearsLandWithinTwentyYearsAfterToday) {
    Clock::fix(*dayNumber(2026, 12, 9));
    const Picture d2 = P("@d2");
    EXPECT_EQ(d2.deformat("1/2/46").value->toText(), Day(2046, 1, 2).toText());
    EXPECT_EQ(d2.deformat("1/2/47").value->toText(), Day(1947, 1, 2).toText());
    Clock::release();
}

TEST(Picture, BadInputGivesAnErrorNeverAZero) {
    const std::pair<const char*, const char*> cases[] = {
        {"@n-14.2", "12a"},
        {"@n-14.2", "1..2"},
        {"@n-14.2", "1,23"},
        {"@n-14.2", "--5"},
        {"@n-14.2", "123456789012"},
        {"@n5.2", "100"},
        {"@n5.2", "-5"},
        {"@n3", "1000"},
        {"@n2", "32.5x"},
        {"@d2", "2/30/2001"},
        {"@d2", "13/1/2001"},
        {"@d2", "1/1"},
        {"@d2", "yesterday"},
        {"@d2", "1/1/1799"},
        {"@d3", "Smarch 5, 1999"},
        {"@p(###) ###-####p", "555-CALL-NOW"},
        {"@p(###)p", "12345"},
    };
    for (const auto& [spec, typed] : cases) {
        const Picture::Result r = P(spec).deformat(typed);
        EXPECT_FALSE(r.ok()) << spec << " accepted '" << typed << "'";
        EXPECT_FALSE(r.error.empty()) << spec << " '" << typed << "'";
    }
}

TEST(Picture, UnusablePicturesAreRefused) {
    for (const char* bad : {"", "@", "@x5", "@s", "@s0", "@n", "@n5.", "@n3.2", "@n5.2q", "@d9",
                            "@p###", "@ppp", "@s20 extra"}) {
        std::string error;
        EXPECT_FALSE(Picture::compile(bad, &error).has_value()) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_EQ(P("@p(###) ###-####p").width(), 14);
    EXPECT_EQ(P("@n$-15.2").width(), 15);
    EXPECT_EQ(P("@d2").width(), 10);
}

}  // namespace
}  // namespace bb
