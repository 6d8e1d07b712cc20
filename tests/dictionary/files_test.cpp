#include "dictionary/files.h"

#include <gtest/gtest.h>

#include "dictionary/process_values.h"

namespace bb {
namespace {

struct FileFacts {
    FileId id;
    const char* prefix;
    const char* stored;
    int fields;
    int bytes;
    int keys;
    bool memo;
};

// Field counts and record sizes as the layouts are published.
const FileFacts kFiles[] = {
    {FileId::Members, "MBR", "MEMBERS", 41, 538, 9, false},
    {FileId::ChecksSecuritiesLog, "CHE", "CHECKSSE", 10, 81, 4, false},
    {FileId::Rooms, "ROO", "ROOMS", 2, 24, 2, false},
    {FileId::Vendors, "VEN", "VENDORS", 13, 342, 2, false},
    {FileId::ClientHoldingRecord, "CLI", "CLIENTHO", 8, 38, 3, false},
    {FileId::CheckSecurityReceipt, "CSR", "CHECKSEC", 10, 132, 3, false},
    {FileId::AccountRegistration, "ACC", "ACCOUNTR", 26, 325, 6, true},
    {FileId::Credit, "CRE", "CREDIT", 7, 75, 2, false},
    {FileId::Transactions, "TRN", "TRANSACT", 35, 248, 8, false},
    {FileId::Log, "LOG", "LOG", 12, 128, 6, true},
    {FileId::Committees, "COM", "COMMITTE", 1, 20, 1, false},
    {FileId::Commbrs, "CMBRS", "Commbrs", 3, 49, 3, false},
    {FileId::MembershipTypes, "TYP", "MEMBERSH", 2, 55, 1, false},
    {FileId::Representatives, "REP", "REPRESEN", 44, 286, 2, false},
    {FileId::MPhones, "MPH", "MPHONES", 6, 90, 1, false},
    {FileId::Letters, "LTR", "LETTERS", 3, 54, 1, true},
    {FileId::AccountTypes, "ACT", "ACCOUNTT", 2, 85, 1, false},
    {FileId::RPhones, "RPH", "RPHONES", 6, 90, 1, false},
    {FileId::RepStates, "RST", "REPSTATE", 3, 10, 2, false},
    {FileId::VPhones, "VPH", "VPHONES", 6, 90, 1, false},
    {FileId::States, "ST", "STATES", 6, 33, 1, false},
    {FileId::InvestmentType, "INV", "INVESTME", 3, 46, 2, false},
    {FileId::Securities, "SEC", "SECURITI", 9, 120, 5, false},
    {FileId::Categories, "CAT", "CATEGORI", 14, 346, 3, false},
    {FileId::ShipTo, "SHI", "SHIPTO", 17, 263, 1, false},
    {FileId::Labels, "LAB", "LABELS", 8, 34, 1, false},
    {FileId::Defaults, "CTRL", "DEFAULTS", 29, 8428, 0, false},
    {FileId::CPhones, "CPH", "CPHONES", 6, 90, 1, false},
};

TEST(Files, EveryFileHasItsPublishedLayoutInDictionaryOrder) {
    ASSERT_EQ(std::size(kFiles), static_cast<std::size_t>(kFileCount));
    for (int i = 0; i < kFileCount; ++i) {
        const FileFacts& f = kFiles[i];
        const FileDef& def = fileDef(f.id);
        SCOPED_TRACE(def.label);
        EXPECT_EQ(dictionaryOrder()[static_cast<std::size_t>(i)], f.id);
        EXPECT_EQ(def.prefix, f.prefix);
        EXPECT_EQ(def.storedName, f.stored);
        EXPECT_LE(def.storedName.size(), 8u);
        EXPECT_EQ(def.fieldCount(), f.fields);
        EXPECT_EQ(def.recordSize(), f.bytes);
        EXPECT_EQ(static_cast<int>(def.keys.size()), f.keys);
        EXPECT_EQ(def.memoField() >= 0, f.memo);
        EXPECT_EQ(fileByLabel(def.label), f.id);
        EXPECT_EQ(fileByPrefix(f.prefix), f.id);
    }
}

TEST(Files, KeysCarryTheirComponentsDirectionsAndAttributes) {
    const KeyDef& byMember = TRN::MEMBERNUMBERKEY.def();
    EXPECT_EQ(byMember.description, "TRN:MemberNumberKey");
    ASSERT_EQ(byMember.components.size(), 4u);
    EXPECT_EQ(byMember.components[0].field, TRN::field::MEMBERNUMBER);
    EXPECT_EQ(byMember.components[2].field, TRN::field::DATE);
    EXPECT_FALSE(byMember.components[2].ascending);
    EXPECT_TRUE(byMember.components[3].ascending);
    EXPECT_FALSE(byMember.unique);
    EXPECT_TRUE(byMember.blankExcluded);

    const KeyDef& receipts = CSR::ACCOUNTREGISTRATIONKEY.def();
    EXPECT_TRUE(receipts.unique);
    EXPECT_EQ(receipts.autoInc, 2);
    EXPECT_EQ(CSR::CSRNUMBERKEY.def().autoInc, 1);

    const KeyDef& byName = MBR::NAMEKEY.def();
    EXPECT_EQ(byName.description, "by Name");
    EXPECT_TRUE(byName.noCase);
    EXPECT_FALSE(byName.blankExcluded);
    EXPECT_EQ(fileDef(FileId::Members).primaryKey(), MBR::key::MEMBERKEY);
    EXPECT_TRUE(fileDef(FileId::Members).keys[0].primary);

    // Files without a primary key are identified by position.
    for (FileId id : {FileId::Representatives, FileId::RepStates, FileId::RPhones,
                      FileId::InvestmentType, FileId::Rooms, FileId::Defaults}) {
        EXPECT_EQ(fileDef(id).primaryKey(), -1) << fileDef(id).label;
    }
    EXPECT_EQ(VPH::KEYVENDORNUMBER.def().components[1].ascending, false);
    EXPECT_EQ(LOG::MEMBERKEY.def().components[2].ascending, false);
}

TEST(Files, FieldsAreFoundByQualifiedNameInAnyCase) {
    const auto buySell = findField("TRN:BuySell");
    ASSERT_TRUE(buySell);
    EXPECT_EQ(buySell->file, FileId::Transactions);
    EXPECT_EQ(buySell->field, TRN::field::BUYSELL);
    EXPECT_TRUE(findField("trn:buysell"));
    EXPECT_TRUE(findField(" CTRL:DefaultOutdateDate "));
    EXPECT_EQ(findField("LOG:DayofMonth")->field, LOG::field::DAYOFMONTH);
    EXPECT_FALSE(findField("TRN:NoSuchField"));
    EXPECT_FALSE(findField("XYZ:Date"));
    EXPECT_FALSE(findField("BuySell"));
    EXPECT_EQ(fileDef(FileId::Log).qualifiedName(LOG::field::DAYOFMONTH), "LOG:DayofMonth");
    EXPECT_EQ(MBR::COMPANYNAME.name(), "MBR:CompanyName");
    EXPECT_EQ(fileDef(FileId::Members).findKey("MBR:NameKey"), MBR::key::NAMEKEY);
}

TEST(Files, HandlesReadAndWriteTheOneBufferOfTheirFile) {
    buffer(FileId::Members).clear();
    MBR::COMPANYNAME.set("Acme Widgets and Sprockets Incorporated");
    EXPECT_EQ(MBR::COMPANYNAME.get(), "Acme Widgets and Sprockets Incorpo");  // 34 characters
    EXPECT_EQ(buffer(FileId::Members).text(MBR::field::COMPANYNAME), MBR::COMPANYNAME.get());
    MBR::ACTIVE.set(1);
    EXPECT_EQ(MBR::ACTIVE.get(), 1);
    EXPECT_TRUE(MBR::NETWORTH.set(*Decimal::parse("99999999999.99")));
    EXPECT_FALSE(MBR::NETWORTH.set(*Decimal::parse("100000000000")));
    EXPECT_EQ(MBR::NETWORTH.get().toString(), "99999999999.99");
    EXPECT_TRUE(MBR::DISCOUNT.set(*Decimal::parse("1.005")));
    EXPECT_EQ(MBR::DISCOUNT.get().toString(), "1.01");
    MBR::BIRTHMONTH.set(70000);  // a SHORT keeps 16 bits, as stored
    EXPECT_EQ(MBR::BIRTHMONTH.get(), static_cast<std::int16_t>(70000));
    EXPECT_FALSE(buffer(FileId::Members).set(MBR::field::ACTIVE, Value::number(256)));
    EXPECT_FALSE(buffer(FileId::Members).set(MBR::field::ACTIVE, Value::text("yes")));
    EXPECT_EQ(MBR::ACTIVE.get(), 1);
    EXPECT_TRUE(buffer(FileId::Members).set(MBR::field::ACTIVE, Value::text(" 0 ")));
    EXPECT_EQ(MBR::ACTIVE.get(), 0);
}

TEST(Files, LoadingTheProgramClearsEveryBufferAndProcessValue) {
    MBR::COMPANYNAME.set("Acme");
    ASSERT_TRUE(TRN::QUANTITY.set(*Decimal::parse("5")));
    LOG::NOTES.set("a note");
    processValues().CurrentProcedure.set("BrowseMembers");
    processValues().PendingRequest = ChangeRequest;
    loadProgram();
    EXPECT_EQ(MBR::COMPANYNAME.get(), "");
    EXPECT_TRUE(TRN::QUANTITY.get().isZero());
    EXPECT_EQ(TRN::QUANTITY.get().places(), 5);
    EXPECT_EQ(LOG::NOTES.get(), "");
    EXPECT_EQ(processValues().CurrentProcedure.get(), "");
    EXPECT_EQ(processValues().PendingRequest, NoRequest);
    processValues().CurrentProcedure.set("BrowseCommissionTransactionsAndMore");
    EXPECT_EQ(processValues().CurrentProcedure.get().size(), 30u);
}

}  // namespace
}  // namespace bb
