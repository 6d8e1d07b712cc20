#include "data/step_estimators.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>

#include "platform/decimal.h"
#include "platform/text.h"

namespace bb {
namespace {

Value number(const char* text) {
    return Value::number(*Decimal::parse(text));
}
Value word(const char* text) {
    return Value::text(text);
}

std::string utf8(const std::u32string& chars) {
    std::string out;
    for (char32_t c : chars) text::append(out, c);
    return out;
}

// Every entry is below the next one, as keys compare.
void expectAscending(const StringStep& step, bool strictly) {
    ASSERT_EQ(step.REF.size(), 100u);
    for (std::size_t i = 1; i < step.REF.size(); ++i) {
        const int order = text::compare(step.REF[i - 1], step.REF[i]);
        if (strictly) {
            EXPECT_LT(order, 0) << "entries " << i << " and " << i + 1 << ": '" << step.REF[i - 1]
                                << "' '" << step.REF[i] << "'";
        } else {
            EXPECT_LE(order, 0) << "entries " << i << " and " << i + 1;
        }
    }
}

TEST(StepManager, GivesTheMiddleForEveryValueAndNothingForEveryPercentile) {
    StepManager step;
    step.Setup(StepManager::kLetters);
    EXPECT_TRUE(step.NeedsBounds());
    step.SetBounds(number("1"), number("9"));
    for (const Value& v : {number("-5"), number("1"), number("9"), word("SMITH"), word("")}) {
        EXPECT_EQ(step.PercentOf(v), 50) << v.toText();
    }
    for (int p : {0, 1, 50, 100}) {
        const Value v = step.ValueAt(p);
        ASSERT_TRUE(v.isText());
        EXPECT_EQ(v.asText(), "");
    }
}

// ------------------------------------------------------------- numeric steps

struct PercentCase {
    std::uint8_t controls;
    const char* first;  // the order's first and last values, as SetBounds gets them
    const char* last;
    const char* value;
    int expected;
};

// Cases both numeric estimators share.
const PercentCase kSharedPercents[] = {
    {0, "100", "300", "200", 50},
    {0, "100", "300", "100", 1},  // 0 becomes 1
    {0, "100", "300", "300", 100},
    {0, "100", "300", "250", 75},
    {0, "-100", "100", "0", 50},
    // Descending: the first record holds the highest value.
    {StepManager::kDescending, "300", "100", "100", 100},
    {StepManager::kDescending, "300", "100", "300", 1},  // 0 becomes 1
    {StepManager::kDescending, "300", "100", "250", 25},
    // Equal limits give the middle everywhere.
    {0, "200", "200", "200", 50},
    {0, "200", "200", "5", 50},
    {StepManager::kDescending, "200", "200", "200", 50},
};

template <typename Step>
void checkPercents(std::span<const PercentCase> cases) {
    for (const PercentCase& c : cases) {
        Step step;
        step.Setup(c.controls);
        step.SetBounds(number(c.first), number(c.last));
        EXPECT_EQ(step.PercentOf(number(c.value)), c.expected)
            << "controls " << int(c.controls) << " limits " << c.first << ".." << c.last
            << " value " << c.value;
    }
}

TEST(LongStep, PercentOf) {
    checkPercents<LongStep>(kSharedPercents);
    const PercentCase ownCases[] = {
        // 100 / (HIGH - LOW) is a ten-place decimal before it multiplies.
        {0, "0", "300", "300", 99},   // 300 × 0.3333333333
        {0, "0", "300", "150", 49},   // 150 × 0.3333333333
        {0, "0", "600", "600", 100},  // 600 × 0.1666666667, rounded up
        {0, "0", "600", "300", 50},
    };
    checkPercents<LongStep>(ownCases);
}

TEST(RealStep, PercentOf) {
    checkPercents<RealStep>(kSharedPercents);
    const PercentCase ownCases[] = {
        // Floating point divides last, so the last value reads 100.
        {0, "0", "300", "300", 100},
        {0, "0", "300", "150", 50},
        {0, "0", "3", "1.5", 50},
        {0, "0.5", "1.5", "1.25", 75},
        {StepManager::kDescending, "1.5", "0.5", "1.25", 25},
    };
    checkPercents<RealStep>(ownCases);
}

TEST(NumericSteps, LowIsTheSmallerLimitWhenTheOrderDescends) {
    LongStep whole;
    whole.Setup(StepManager::kDescending);
    whole.SetBounds(number("300"), number("100"));
    EXPECT_EQ(whole.LOW, 100);
    EXPECT_EQ(whole.HIGH, 300);
    whole.Setup(0);
    whole.SetBounds(number("100"), number("300"));
    EXPECT_EQ(whole.LOW, 100);
    EXPECT_EQ(whole.HIGH, 300);

    RealStep real;
    real.Setup(StepManager::kDescending);
    real.SetBounds(number("2.5"), number("-1.5"));
    EXPECT_EQ(real.LOW, -1.5);
    EXPECT_EQ(real.HIGH, 2.5);
    EXPECT_TRUE(whole.NeedsBounds());
    EXPECT_TRUE(real.NeedsBounds());
}

struct ValueCase {
    std::uint8_t controls;
    const char* first;
    const char* last;
    int percentile;
    const char* expected;
};

const ValueCase kSharedValues[] = {
    {0, "100", "300", 50, "200"},
    {0, "100", "300", 0, "100"},
    {0, "100", "300", 100, "300"},
    {0, "100", "300", 37, "174"},
    {StepManager::kDescending, "300", "100", 0, "300"},
    {StepManager::kDescending, "300", "100", 100, "100"},
    {StepManager::kDescending, "300", "100", 25, "250"},
    {0, "200", "200", 80, "200"},
    {0, "0", "7", 50, "3.5"},
};

template <typename Step>
void checkValues(std::span<const ValueCase> cases) {
    for (const ValueCase& c : cases) {
        Step step;
        step.Setup(c.controls);
        step.SetBounds(number(c.first), number(c.last));
        const Value v = step.ValueAt(c.percentile);
        ASSERT_TRUE(v.isNumber()) << v.toText();
        EXPECT_EQ(v.asNumber(), *Decimal::parse(c.expected))
            << "controls " << int(c.controls) << " limits " << c.first << ".." << c.last << " at "
            << c.percentile << " gave " << v.toText();
    }
}

TEST(LongStep, ValueAtIsExact) {
    checkValues<LongStep>(kSharedValues);
    const ValueCase ownCases[] = {
        {0, "0", "3", 33, "0.99"},
        {0, "-2147483648", "2147483647", 100, "2147483647"},
        {0, "-2147483648", "2147483647", 50, "-0.5"},
    };
    checkValues<LongStep>(ownCases);
}

TEST(RealStep, ValueAt) {
    checkValues<RealStep>(kSharedValues);
    const ValueCase ownCases[] = {
        {0, "0", "3", 50, "1.5"},
        {StepManager::kDescending, "3", "0", 25, "2.25"},
        {0, "-1.5", "2.5", 75, "1.5"},
    };
    checkValues<RealStep>(ownCases);
}

// -------------------------------------------------------- fixed text tables

struct FixedTableCase {
    StringStep::LookupMode mode;
    int testLen;
    struct Entry {
        int at;
        const char* entry;
    };
    Entry entries[11];
};

const FixedTableCase kFixedTables[] = {
    {StringStep::LookupMode::Surnames,
     3,
     {{1, "   "},
      {2, "ALB"},
      {3, "AME"},
      {45, "JON"},
      {56, "MAQ"},
      {59, "MCK"},
      {84, "SKI"},
      {85, "SNA"},
      {93, "VAN"},
      {99, "WOL"},
      {100, "YOR"}}},
    {StringStep::LookupMode::TwoLetters,
     2,
     {{1, "  "},
      {2, "AF"},
      {4, "AT"},
      {5, "B "},
      {8, "BT"},
      {64, "PT"},
      {65, "Q "},
      {66, "QN"},
      {67, "R "},
      {99, "Z "},
      {100, "ZN"}}},
};

TEST(StringStep, FixedTablesHoldTheirEntriesInAscendingOrder) {
    for (const FixedTableCase& c : kFixedTables) {
        SCOPED_TRACE(int(c.mode));
        StringStep step;
        step.Setup(0, c.mode);
        EXPECT_EQ(step.LOOKUPMODE, c.mode);
        EXPECT_EQ(step.TESTLEN, c.testLen);
        EXPECT_FALSE(step.NeedsBounds());
        expectAscending(step, true);
        for (const std::string& entry : step.REF)
            EXPECT_EQ(entry.size(), std::size_t(c.testLen)) << entry;
        for (const auto& e : c.entries) {
            EXPECT_EQ(step.REF[std::size_t(e.at - 1)], e.entry) << "entry " << e.at;
            EXPECT_EQ(step.ValueAt(e.at).asText(), e.entry) << "entry " << e.at;
        }
        // 0 is taken as the first entry.
        EXPECT_EQ(step.ValueAt(0).asText(), step.REF[0]);
        // Every entry reads back as its own percentile.
        for (int p = 1; p <= 100; ++p) EXPECT_EQ(step.PercentOf(step.ValueAt(p)), p) << p;
        // Limits are never set on a fixed table; handing them over changes nothing.
        step.SetBounds(word("SMITH"), word("SMYTHE"));
        EXPECT_EQ(step.ROOT, "");
        EXPECT_EQ(step.ValueAt(2).asText(), c.entries[1].entry);
    }
}

struct TextPercentCase {
    StringStep::LookupMode mode;
    std::uint8_t controls;
    const char* value;
    int expected;
};

TEST(StringStep, PercentOfOnFixedTables) {
    using Mode = StringStep::LookupMode;
    const TextPercentCase cases[] = {
        {Mode::Surnames, 0, "SMITH", 84},
        {Mode::Surnames, 0, "Smith", 84},  // upper-cased first
        {Mode::Surnames, 0, "JONES", 45},
        {Mode::Surnames, 0, "MCKAY", 59},
        {Mode::Surnames, 0, "Aaron", 1},
        {Mode::Surnames, 0, "", 1},
        {Mode::Surnames, 0, "Zygmunt", 100},
        // Case matters: values are looked up as they are, and lower case
        // sorts after upper case.
        {Mode::Surnames, StepManager::kCaseMatters, "SMITH", 84},
        {Mode::Surnames, StepManager::kCaseMatters, "Smith", 89},  // after SUN
        {Mode::Surnames, StepManager::kCaseMatters, "smith", 100},
        // Descending.
        {Mode::Surnames, StepManager::kDescending, "SMITH", 16},
        {Mode::Surnames, StepManager::kDescending, "Zygmunt", 1},  // 0 becomes 1
        {Mode::Surnames, StepManager::kDescending, "Aaron", 99},
        {Mode::TwoLetters, 0, "B", 5},
        {Mode::TwoLetters, 0, "Bo", 7},
        {Mode::TwoLetters, 0, "Qa", 65},
        {Mode::TwoLetters, 0, "Quinn", 66},
        {Mode::TwoLetters, 0, "QUOTE", 66},
        {Mode::TwoLetters, 0, "Ab", 1},
        {Mode::TwoLetters, 0, "Zz", 100},
    };
    for (const TextPercentCase& c : cases) {
        StringStep step;
        step.Setup(c.controls, c.mode);
        EXPECT_EQ(step.PercentOf(word(c.value)), c.expected)
            << "mode " << int(c.mode) << " controls " << int(c.controls) << " '" << c.value << "'";
    }
}

TEST(StringStep, DescendingValueAtCountsFromTheOtherEnd) {
    StringStep step;
    step.Setup(StepManager::kDescending, StringStep::LookupMode::TwoLetters);
    EXPECT_EQ(step.ValueAt(0).asText(), "ZN");
    EXPECT_EQ(step.ValueAt(1).asText(), "Z ");
    EXPECT_EQ(step.ValueAt(99).asText(), "  ");
    EXPECT_EQ(step.ValueAt(100).asText(), "  ");  // 0 is taken as 1
    for (int p = 1; p <= 99; ++p) EXPECT_EQ(step.PercentOf(step.ValueAt(p)), p) << p;
}

// ----------------------------------------------------------- computed table

struct SortCharsCase {
    std::uint8_t controls;
    std::u32string expected;
};

TEST(StringStep, SortCharsFollowTheControls) {
    const std::u32string upperLetters =
        U"ABCDEFGHIJKLMNOPQRSTUVWXYZªºÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞßŒŠŸŽˆ";
    const SortCharsCase cases[] = {
        {StepManager::kLetters, upperLetters},
        {StepManager::kLetters | StepManager::kDescending, upperLetters},
        {StepManager::kLetters | StepManager::kDigits, U"0123456789" + upperLetters},
        {StepManager::kDigits, U"0123456789"},
        // The punctuation set in code order: the percent sign once; no < > { }.
        {StepManager::kPunctuation, U" !\"#$%&'()*+,-./:;=?@[\\]^_`|~£"},
        {StepManager::kLetters | StepManager::kPunctuation | StepManager::kDigits,
         U" !\"#$%&'()*+,-./0123456789:;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`|~£"
         U"ªºÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞßŒŠŸŽˆ"},
        {StepManager::kLetters | StepManager::kCaseMatters,
         U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzªµºÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞß"
         U"àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿŒœŠšŸŽžƒˆ"},
        {0, U""},
        {StepManager::kCaseMatters | StepManager::kDescending, U""},
    };
    for (const SortCharsCase& c : cases) {
        StringStep step;
        step.Setup(c.controls, StringStep::LookupMode::Computed);
        EXPECT_EQ(utf8(step.SORTCHARS), utf8(c.expected)) << "controls " << int(c.controls);
    }
}

TEST(StringStep, ComputedModeWantsLimitsAndFreesItsTableOnTeardown) {
    StringStep step;
    step.Setup(StepManager::kLetters, StringStep::LookupMode::Computed);
    EXPECT_EQ(step.TESTLEN, 4);
    EXPECT_TRUE(step.NeedsBounds());
    EXPECT_EQ(step.REF.size(), 100u);
    step.SetBounds(word("ADAMS"), word("ZIMMER"));
    step.Teardown();
    EXPECT_TRUE(step.SORTCHARS.empty());
    EXPECT_TRUE(step.REF.empty());
}

// Digits only: the set is "0123456789", so a tail reads as a number whose
// digits are the positions from 1 and an entry shows its digits as indexes
// from 0; the arithmetic can be followed by hand.
struct ComputedCase {
    std::uint8_t controls;
    const char* first;
    const char* last;
    const char* root;
    const char* entry1;
    const char* entry2;
    const char* entry100;
};

TEST(StringStep, ComputedTableFromTheLimits) {
    const std::uint8_t digits = StepManager::kDigits;
    const std::uint8_t descending = StepManager::kDigits | StepManager::kDescending;
    const ComputedCase cases[] = {
        // "1000" reads 2111 and "5000" 6111; the step is 40.
        {digits, "1000", "5000", "", "2111", "2151", "6071"},
        // Short values are filled with the set's first character (first
        // value) or last (last value): "1000" 2111, "5999" 7110, step 49.
        {digits, "1", "5", "", "2111", "2160", "6962"},
        // A character outside the set reads 0: "1A00" is 2011.
        {digits, "1A", "5", "", "2011", "2061", "6961"},
        // The common prefix becomes the root; the tails follow it.
        {digits, "12000", "15000", "1", "3111", "3141", "6081"},
        // Descending: the first value fills entry 100, the step is negative.
        {descending, "5000", "1000", "", "2151", "2191", "6111"},
        // "9999" reads 11110, past what four digits hold: such entries stay
        // at the highest instead of wrapping round.
        {digits, "0", "9999", "", "1111", "1210", "9999"},
    };
    for (const ComputedCase& c : cases) {
        SCOPED_TRACE(std::string(c.first) + ".." + c.last);
        StringStep step;
        step.Setup(c.controls, StringStep::LookupMode::Computed);
        step.SetBounds(word(c.first), word(c.last));
        EXPECT_EQ(step.ROOT, c.root);
        ASSERT_EQ(step.REF.size(), 100u);
        EXPECT_EQ(step.REF[0], c.entry1);
        EXPECT_EQ(step.REF[1], c.entry2);
        EXPECT_EQ(step.REF[99], c.entry100);
        expectAscending(step, false);
    }
}

TEST(StringStep, PercentOfOnAComputedTable) {
    StringStep step;
    step.Setup(StepManager::kDigits, StringStep::LookupMode::Computed);
    step.SetBounds(word("1000"), word("5000"));  // entries 2111, 2151, ... 6071
    const std::pair<const char*, int> cases[] = {
        {"3000", 23}, {"2151", 2},   {"2150", 1}, {"1000", 1},
        {"5000", 73}, {"6071", 100}, {"9", 100},  {"", 1},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(step.PercentOf(word(value)), expected) << value;
}

class SmithToSmythe : public ::testing::Test {
protected:
    void SetUp() override {
        step_.Setup(StepManager::kLetters, StringStep::LookupMode::Computed);
        step_.SetBounds(word("SMITH"), word("SMYTHE"));
    }
    StringStep step_;
};

TEST_F(SmithToSmythe, TheCommonPrefixIsTheRoot) {
    EXPECT_EQ(step_.ROOT, "SM");
    // "ITH" filled with "A" reads I=9 T=20 H=8 A=1, written back from 0: "JUIB".
    EXPECT_EQ(step_.ValueAt(0).asText(), "SMJUIB");
    EXPECT_EQ(step_.ValueAt(1).asText(), "SMJUIB");
    for (int p = 0; p <= 100; ++p) {
        const std::string v = step_.ValueAt(p).asText();
        EXPECT_EQ(v.substr(0, 2), "SM") << v;
        EXPECT_EQ(text::length(v), 6u) << v;
    }
    expectAscending(step_, true);
}

TEST_F(SmithToSmythe, ValuesAndPercentilesRoundTrip) {
    for (int p = 1; p <= 100; ++p) EXPECT_EQ(step_.PercentOf(step_.ValueAt(p)), p) << p;
}

TEST_F(SmithToSmythe, PercentOfCutsEveryValueAfterTheRoot) {
    // Values that do not start with the root are still cut after two
    // characters.
    EXPECT_EQ(step_.PercentOf(word("JONES")), step_.PercentOf(word("SMNES")));
    EXPECT_EQ(step_.PercentOf(word("XXYTHE")), step_.PercentOf(word("SMYTHE")));
    // Upper-cased before the lookup.
    EXPECT_EQ(step_.PercentOf(word("smythe")), step_.PercentOf(word("SMYTHE")));
    EXPECT_EQ(step_.PercentOf(word("SMITH")), 1);
    EXPECT_LT(step_.PercentOf(word("SMITH")), step_.PercentOf(word("SMOOT")));
    EXPECT_LT(step_.PercentOf(word("SMOOT")), step_.PercentOf(word("SMYTHE")));
}

TEST(StringStep, DescendingComputedTable) {
    StringStep step;
    step.Setup(StepManager::kLetters | StepManager::kDescending, StringStep::LookupMode::Computed);
    // A descending order shows its highest value first.
    step.SetBounds(word("SMYTHE"), word("SMITH"));
    EXPECT_EQ(step.ROOT, "SM");
    expectAscending(step, true);
    // The first value fills the last entry: "YTHE" is Y=25 T=20 H=8 E=5.
    EXPECT_EQ(step.REF[99], "ZUIF");
    EXPECT_EQ(step.ValueAt(0).asText(), "SMZUIF");
    for (int p = 1; p <= 99; ++p) EXPECT_EQ(step.PercentOf(step.ValueAt(p)), p) << p;
    // The thumb runs from near the top at the first record to the bottom at the last.
    EXPECT_LT(step.PercentOf(word("SMYTHE")), step.PercentOf(word("SMOOT")));
    EXPECT_EQ(step.PercentOf(word("SMITH")), 100);
}

struct RootCase {
    std::uint8_t controls;
    std::string first;
    std::string last;
    std::string root;
    const char* entry1;  // null: not checked
};

TEST(StringStep, RootAndCase) {
    const std::string long45(45, 'K');
    const std::string long90 = std::string(90, 'K');
    const RootCase cases[] = {
        {StepManager::kLetters, "ADAMS", "ZIMMER", "", "BEBN"},
        {StepManager::kLetters, "SMITH", "SMITH", "SMITH", "BBBB"},
        // Compared up to the length of the shorter value.
        {StepManager::kLetters, "SM", "SMITH", "SM", "BBBB"},
        // Trailing spaces are clipped first.
        {StepManager::kLetters, "SMITH   ", "SMITHSON", "SMITH", "BBBB"},
        // The prefix keeps its case; the tails are upper-cased.
        {StepManager::kLetters, "smith", "smythe", "sm", "JUIB"},
        {StepManager::kLetters, "Smith", "SMYTHE", "S", "NJUI"},
        // Case matters: nothing is upper-cased, lower case is in the set.
        {StepManager::kLetters | StepManager::kCaseMatters, "smith", "smythe", "sm", "juiB"},
        // The root holds at most 40 characters; values count up to 80.
        {StepManager::kLetters, long45 + "A", long45 + "Z", std::string(40, 'K'), nullptr},
        {StepManager::kLetters, long90 + "A", long90 + "Z", std::string(40, 'K'), nullptr},
        // Non-ASCII letters are characters like any other.
        {StepManager::kLetters, "ÉMILE", "ÉRIC", "É", nullptr},
    };
    for (const RootCase& c : cases) {
        SCOPED_TRACE(c.first + ".." + c.last);
        StringStep step;
        step.Setup(c.controls, StringStep::LookupMode::Computed);
        step.SetBounds(Value::text(c.first), Value::text(c.last));
        EXPECT_EQ(step.ROOT, c.root);
        if (c.entry1) {
            EXPECT_EQ(step.REF[0], c.entry1);
        }
        EXPECT_EQ(step.ValueAt(0).asText(), step.ROOT + step.REF[0]);
        expectAscending(step, false);
    }
}

TEST(StringStep, AnEmptyCharacterSetLeavesTheTableBlank) {
    StringStep step;
    step.Setup(0, StringStep::LookupMode::Computed);
    step.SetBounds(word("SMITH"), word("SMYTHE"));
    EXPECT_EQ(step.ROOT, "SM");
    EXPECT_EQ(step.ValueAt(50).asText(), "SM    ");
}

}  // namespace
}  // namespace bb
