// Order texts as windows write them, read into the columns a view orders by.
#include "data/view_order.h"

#include <gtest/gtest.h>

#include "dictionary/files.h"

namespace bb {
namespace {

struct OrderCase {
    const char* text;
    std::vector<ViewOrderTerm> terms;
};

// Notes joined to their customers: LOG is table 0, MBR table 1.
const std::vector<const FileDef*> kNotesWithCustomers = {&fileDef(FileId::Log),
                                                         &fileDef(FileId::Members)};

TEST(ViewOrder, FieldsKeysDirectionsAndCaseAcrossTheViewsFiles) {
    const int date = LOG::field::DATE;
    const int lastName = MBR::field::LASTNAME;
    const int firstName = MBR::field::FIRSTNAME;
    const OrderCase cases[] = {
        {"", {}},
        {" , ", {}},
        {"LOG:Date", {{0, date, false, false}}},
        {"-LOG:Date", {{0, date, true, false}}},
        {"+ log:date ", {{0, date, false, false}}},
        {"UPPER(MBR:LastName)", {{1, lastName, false, true}}},
        {"-upper( MBR:LastName )", {{1, lastName, true, true}}},
        // A key stands for its components in their directions; "-" turns them all.
        {"MBR:NameKey", {{1, lastName, false, true}, {1, firstName, false, true}}},
        {"-MBR:NameKey", {{1, lastName, true, true}, {1, firstName, true, true}}},
        {"LOG:Date,,MBR:FirstName", {{0, date, false, false}, {1, firstName, false, false}}},
    };
    for (const OrderCase& c : cases) {
        const auto read = readViewOrder(c.text, kNotesWithCustomers);
        ASSERT_EQ(read.index(), 0u) << c.text << ": " << std::get<std::string>(read);
        EXPECT_EQ(std::get<0>(read), c.terms) << c.text;
    }
}

TEST(ViewOrder, WhatIsNotAFieldOrKeyOfTheViewIsNamed) {
    const std::pair<const char*, const char*> cases[] = {
        {"LOG:Date,LOG:NoSuchField", "'LOG:NoSuchField' is not a field or key of the view"},
        {"TRN:Date", "'TRN:Date' is not a field or key of the view"},
        // A name without its file's prefix could be any file's.
        {"Date", "'Date' is not a field or key of the view"},
        {"-UPPER()", "'-UPPER()' is not a field or key of the view"},
    };
    for (const auto& [text, why] : cases) {
        const auto read = readViewOrder(text, kNotesWithCustomers);
        ASSERT_EQ(read.index(), 1u) << text;
        EXPECT_EQ(std::get<std::string>(read), why);
    }
}

TEST(ViewOrder, AKeysOwnColumnsComeFromItsDeclaration) {
    const FileDef& trades = fileDef(FileId::Transactions);
    const std::vector<ViewOrderTerm> expected = {{0, TRN::field::MEMBERNUMBER, false, false},
                                                 {0, TRN::field::REGISTRATIONNUMBER, false, false},
                                                 {0, TRN::field::DATE, true, false},
                                                 {0, TRN::field::TRANSACTIONNUMBER, false, false}};
    EXPECT_EQ(keyOrder(trades, TRN::key::MEMBERNUMBERKEY), expected);
}

}  // namespace
}  // namespace bb
