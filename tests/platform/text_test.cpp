#include "platform/text.h"

#include <gtest/gtest.h>

namespace bb::text {
namespace {

TEST(Text, LengthAndCutCountCharactersNotBytes) {
    EXPECT_EQ(length(""), 0u);
    EXPECT_EQ(length("abc"), 3u);
    EXPECT_EQ(length("Müller"), 6u);
    EXPECT_EQ(length("日本"), 2u);
    EXPECT_EQ(cut("Müller", 2), "Mü");
    EXPECT_EQ(cut("日本語", 2), "日本");
    EXPECT_EQ(cut("abc", 10), "abc");
}

TEST(Text, InvalidBytesCountAsOneCharacterEach) {
    const std::string broken = std::string("a") + '\xC3' + "b" + '\xFF';
    EXPECT_EQ(length(broken), 4u);
    std::size_t i = 1;
    EXPECT_EQ(decode(broken, i), U'\uFFFD');
    EXPECT_EQ(i, 2u);
    const std::string truncated = std::string("x") + '\xE6' + '\x97';
    EXPECT_EQ(length(truncated), 3u);
}

TEST(Text, PaddingFittingAndClipping) {
    EXPECT_EQ(pad("ab", 5), "ab   ");
    EXPECT_EQ(pad("Müller", 3), "Mül");
    EXPECT_EQ(pad("é", 2), "é ");
    EXPECT_EQ(fit("abc   ", 10), "abc");
    EXPECT_EQ(fit("abcdef", 4), "abcd");
    EXPECT_EQ(fit("ab  cd", 3), "ab");
    EXPECT_EQ(clip("  a b  "), "  a b");
    EXPECT_EQ(clip("    "), "");
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_TRUE(isBlank("   "));
    EXPECT_TRUE(isBlank(""));
    EXPECT_FALSE(isBlank(" x "));
}

struct CompareCase {
    const char* a;
    const char* b;
    int plain;
    int noCase;
};

TEST(Text, ComparisonsIgnoreTrailingSpaces) {
    const CompareCase cases[] = {
        {"abc", "abc   ", 0, 0}, {"abc", "ABC", 1, 0},   {"abc", "abd", -1, -1},
        {"ab", "abc", -1, -1},   {" ab", "ab", -1, -1},  {"", "   ", 0, 0},
        {"Zed", "apple", -1, 1}, {"élan", "ÉLAN", 1, 0}, {"straße", "STRASSE", 1, 1},
        {"a b", "a", 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compare(c.a, c.b), c.plain) << c.a << " vs " << c.b;
        EXPECT_EQ(compare(c.b, c.a), -c.plain) << c.b << " vs " << c.a;
        EXPECT_EQ(compareNoCase(c.a, c.b), c.noCase) << c.a << " vs " << c.b;
    }
}

TEST(Text, UpperAndLowerKeepTheLength) {
    EXPECT_EQ(upper("Smith & co."), "SMITH & CO.");
    EXPECT_EQ(upper("élan"), "ÉLAN");
    EXPECT_EQ(lower("ÉLAN"), "élan");
    EXPECT_EQ(length(upper("straße")), 6u);
    std::string round;
    append(round, U'€');
    append(round, U'𝄞');
    EXPECT_EQ(round, "€𝄞");
    EXPECT_EQ(length(round), 2u);
}

}  // namespace
}  // namespace bb::text
