#include "dictionary/record_rules.h"

#include <gtest/gtest.h>

#include "platform/date.h"

namespace bb {
namespace {

class RecordRules : public ::testing::Test {
protected:
    void SetUp() override { Clock::fix(*dayNumber(2026, 12, 9), timeOfDay(14, 30, 5)); }
    void TearDown() override { Clock::release(); }
    DayNumber today() const { return *dayNumber(2026, 12, 9); }
};

TEST_F(RecordRules, NewRecordsGetTheirInitialValues) {
    buffer(FileId::Members).clear();
    seedNewRecord(FileId::Members);
    EXPECT_EQ(MBR::FOREIGN.get(), "D");
    EXPECT_EQ(MBR::SALESTAX.get(), "N");
    EXPECT_EQ(MBR::ACTIVE.get(), 1);
    EXPECT_EQ(MBR::DATEJOIN.get(), today());
    EXPECT_EQ(MBR::CONTACTSINCE.get(), today());
    EXPECT_EQ(MBR::BIRTHDATE.get(), 0);

    seedNewRecord(FileId::Log);
    EXPECT_EQ(LOG::DATE.get(), today());
    EXPECT_EQ(LOG::DATE2.get(), today());
    EXPECT_EQ(LOG::DATE3.get(), today());

    seedNewRecord(FileId::Labels);
    EXPECT_EQ(LAB::FONTSIZE.get(), 11);

    seedNewRecord(FileId::Defaults);
    EXPECT_EQ(CTRL::REPORTKEY.get(), "MBR:NameKey");
    EXPECT_EQ(CTRL::REPORTFILTER.get(), "MBR:Active=1");

    seedNewRecord(FileId::Transactions);
    EXPECT_EQ(TRN::DATE.get(), today());
    EXPECT_EQ(TRN::TIME.get(), timeOfDay(14, 30, 5));

    for (const auto& [file, field] : {std::pair{FileId::MPhones, MPH::DESCRIPTION},
                                      {FileId::VPhones, VPH::DESCRIPTION},
                                      {FileId::RPhones, RPH::DESCRIPTION},
                                      {FileId::CPhones, CPH::DESCRIPTION}}) {
        buffer(file).clear();
        seedNewRecord(file);
        EXPECT_EQ(field.get(), "Office") << fileDef(file).label;
    }
    for (const auto& [file, field] : {std::pair{FileId::CheckSecurityReceipt, CSR::DATE},
                                      {FileId::AccountRegistration, ACC::ACCOUNTOPENED},
                                      {FileId::States, ST::TAXDATE}}) {
        buffer(file).clear();
        seedNewRecord(file);
        EXPECT_EQ(field.get(), today()) << fileDef(file).label;
    }
}

TEST_F(RecordRules, FilesWithoutInitialValuesAreLeftAlone) {
    SEC::SYMBOL.set("IBM");
    seedNewRecord(FileId::Securities);
    EXPECT_EQ(SEC::SYMBOL.get(), "IBM");
}

TEST_F(RecordRules, FieldRulesAtTheirEdges) {
    struct Case {
        FileId file;
        int field;
        int value;
        bool breaks;
    };
    const Case cases[] = {
        {FileId::Log, LOG::field::DAYOFMONTH, 0, true},
        {FileId::Log, LOG::field::DAYOFMONTH, 1, false},
        {FileId::Log, LOG::field::DAYOFMONTH, 31, false},
        {FileId::Log, LOG::field::DAYOFMONTH, 32, true},
        {FileId::Labels, LAB::field::FONTSIZE, 4, true},
        {FileId::Labels, LAB::field::FONTSIZE, 5, false},
        {FileId::Labels, LAB::field::FONTSIZE, 240, false},
        {FileId::Labels, LAB::field::FONTSIZE, 241, true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(buffer(c.file).set(c.field, Value::number(c.value)));
        const auto breach = checkField(c.file, c.field);
        EXPECT_EQ(breach.has_value(), c.breaks) << fileDef(c.file).label << ' ' << c.value;
    }
    (void)LOG::DAYOFMONTH.set(*Decimal::parse("31.5"));
    EXPECT_TRUE(checkField(FileId::Log, LOG::field::DAYOFMONTH).has_value());

    (void)LOG::DAYOFMONTH.set(Decimal(32));
    const auto day = checkField(FileId::Log, LOG::field::DAYOFMONTH);
    ASSERT_TRUE(day);
    EXPECT_EQ(day->errorId, 16);
    EXPECT_EQ(day->field, "LOG:DayofMonth");
    EXPECT_EQ(day->message, "1 and 31");
    LAB::FONTSIZE.set(241);
    const auto font = checkField(FileId::Labels, LAB::field::FONTSIZE);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->field, "Font Size");
    EXPECT_EQ(font->message, "5 and 240");
    // Fields without a rule always pass.
    EXPECT_FALSE(checkField(FileId::Log, LOG::field::MONTHCODE));
}

}  // namespace
}  // namespace bb
