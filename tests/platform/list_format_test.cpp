#include "platform/list_format.h"

#include <gtest/gtest.h>

namespace bb {
namespace {

// Every list format that the program's lists declare.
const char* const kFormats[] = {
    "142L(3)|M*~Customer/Company~L(2)@s34@",
    "18L(1)@s2@80L@s20@",
    "29L(4)|M~Number~C(0)@s5@100L(3)|M~Name~L(2)@s25@",
    "31L(6)M~Number~L(2)@s5@100LM~Name~@s25@",
    "32L(5)|M~Number~L(2)@s5@108L(2)|M~Representative~@s25@",
    "33L(5)|M~Number~L(2)@s5@100L(3)|M~Name~L(2)@s25@",
    "44L(15)|M~State Code~L(2)@s2@80L(2)|M~State Name~@s20@",
    "44L(2)|M~Location~@s10@80L(2)|M~Number~@p(###) ###-####p@24L(2)@s6@120L(2)@s30@80L(2)@s20@",
    "46L(3)|M~Location~L(2)@s10@65L(3)|M~Number~L(2)@p(###) "
    "###-####p@80L(3)|M~Department~L(2)@s20@",
    "46R(2)|M~Date~C(0)@d2@35L(2)~Type~@s8@75R(2)|M@s18@108L(2)|M~Subject~@s25@",
    "47L(2)|M~Location~@s10@63L(2)|M~Number~@p(###) ###-####p@80L(2)|M~Department~@s20@",
    "48R(2)|M~Date~C(0)@d2@141L(2)|M~Customer~@s34@108L(2)|M~Subject~@s25@",
    "60L(2)~Customer Classification~@s15@",
    "60L(3)~Classification~L(2)@s15@",
    "60L(3)~Customer Classification~L(2)@s15@",
    "60L(3)~Member Classification~L(2)@s15@",
    "62L(3)|M~Event Date~L(2)@s15@131L(3)|M~Customer~L(2)@s34@108L(3)|M~Subject~L(2)@s25@",
    "65L(2)|M~Classification~@s15@/160L(2)~Description~@s40@/",
    "74L(2)|~Label Type~@s15@[32R(6)|~Width~C(0)@n5.2@48R(6)|~Height~C(0)@n5.2@](61)|~Page~"
    "[31R(6)|~Width~C(0)@n5.2@52R(6)|~Height~C(0)@n5.2@](63)|~Label~[33R(6)|~Top~C(0)@n5.2@"
    "48R(6)|~Left~C(0)@n5.2@](62)|~Margin~[40C(2)|~Size~C(0)@n3@]|~Font~",
    "800LT@s200@",
    "80L(2)|M~Subject of Letter~@s30@",
    "80L(2)~Customer Group~@s20@",
};

TEST(ListFormat, EveryFormatInUseParses) {
    for (const char* text : kFormats) {
        std::string error;
        EXPECT_TRUE(ListFormat::parse(text, &error).has_value()) << text << ": " << error;
    }
}

TEST(ListFormat, CustomerListColumnInDetail) {
    const auto f = ListFormat::parse("142L(3)|M*~Customer/Company~L(2)@s34@");
    ASSERT_TRUE(f);
    ASSERT_EQ(f->columns.size(), 1u);
    const ListColumn& c = f->columns[0];
    EXPECT_EQ(c.width, 142);
    EXPECT_EQ(c.justify, Justify::Left);
    EXPECT_EQ(c.indent, 3);
    EXPECT_TRUE(c.rightBorder);
    EXPECT_TRUE(c.resizable);
    EXPECT_TRUE(c.colored);
    EXPECT_FALSE(c.tree);
    EXPECT_TRUE(c.header.present);
    EXPECT_EQ(c.header.text, "Customer/Company");
    EXPECT_TRUE(c.header.justifyGiven);
    EXPECT_EQ(c.header.indent, 2);
    ASSERT_TRUE(c.picture);
    EXPECT_EQ(c.picture->kind(), Picture::Kind::String);
    EXPECT_EQ(c.picture->width(), 34);
    EXPECT_EQ(c.group, -1);
}

TEST(ListFormat, NotesListMixesPicturesAndAColumnWithoutHeader) {
    const auto f = ListFormat::parse(
        "46R(2)|M~Date~C(0)@d2@35L(2)~Type~@s8@75R(2)|M@s18@108L(2)|M~Subject~@s25@");
    ASSERT_TRUE(f);
    ASSERT_EQ(f->columns.size(), 4u);
    EXPECT_EQ(f->columns[0].justify, Justify::Right);
    EXPECT_EQ(f->columns[0].header.justify, Justify::Centre);
    EXPECT_EQ(f->columns[0].picture->kind(), Picture::Kind::Date);
    EXPECT_FALSE(f->columns[1].rightBorder);
    EXPECT_FALSE(f->columns[1].header.justifyGiven);
    EXPECT_FALSE(f->columns[2].header.present);
    EXPECT_EQ(f->columns[2].picture->width(), 18);
    EXPECT_EQ(f->columns[3].header.text, "Subject");
}

TEST(ListFormat, LabelListGroupsColumnsUnderHeadings) {
    const auto f = ListFormat::parse(kFormats[18]);
    ASSERT_TRUE(f);
    ASSERT_EQ(f->columns.size(), 8u);
    ASSERT_EQ(f->groups.size(), 4u);
    const char* headings[] = {"Page", "Label", "Margin", "Font"};
    const int widths[] = {61, 63, 62, 0};
    const int firsts[] = {1, 3, 5, 7};
    const int counts[] = {2, 2, 2, 1};
    for (int g = 0; g < 4; ++g) {
        EXPECT_EQ(f->groups[g].header.text, headings[g]);
        EXPECT_EQ(f->groups[g].width, widths[g]);
        EXPECT_EQ(f->groups[g].firstColumn, firsts[g]);
        EXPECT_EQ(f->groups[g].columnCount, counts[g]);
        EXPECT_TRUE(f->groups[g].rightBorder);
    }
    EXPECT_EQ(f->columns[0].group, -1);
    EXPECT_EQ(f->columns[4].group, 1);
    EXPECT_EQ(f->columns[4].header.text, "Height");
    EXPECT_EQ(f->columns[4].picture->kind(), Picture::Kind::Numeric);
    EXPECT_EQ(f->columns[7].justify, Justify::Centre);
    EXPECT_EQ(f->columns[7].picture->spec(), "@n3");
}

TEST(ListFormat, FlagsAfterThePicture) {
    const auto tree = ListFormat::parse("800LT@s200@");
    ASSERT_TRUE(tree);
    EXPECT_TRUE(tree->columns[0].tree);
    EXPECT_EQ(tree->columns[0].width, 800);
    const auto twoLines = ListFormat::parse(kFormats[17]);
    ASSERT_TRUE(twoLines);
    EXPECT_TRUE(twoLines->columns[0].newLine);
    EXPECT_TRUE(twoLines->columns[1].newLine);
    const auto numbered = ListFormat::parse("20L#3#@s5@");
    ASSERT_TRUE(numbered);
    EXPECT_EQ(numbered->columns[0].fieldNumber, 3);
    const auto phones = ListFormat::parse(kFormats[7]);
    ASSERT_TRUE(phones);
    EXPECT_EQ(phones->columns[1].picture->kind(), Picture::Kind::Pattern);
    EXPECT_FALSE(phones->columns[2].header.present);
}

TEST(ListFormat, MalformedTextsAreRefusedWithAReason) {
    for (const char* bad : {"", "L@s5@", "20@s5@", "20Q@s5@", "20L~Name@s5@", "20L~Name~@s5",
                            "20L~Name~s5@", "20L(3@s5@", "20L@zz@", "[20L@s5@", "[]", "20L@s5@!",
                            "[20L@s5@[10L@s2@]]", "20L#x#@s5@"}) {
        std::string error;
        EXPECT_FALSE(ListFormat::parse(bad, &error).has_value()) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

}  // namespace
}  // namespace bb
