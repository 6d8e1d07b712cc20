#include "dictionary/relations.h"

#include <gtest/gtest.h>

namespace bb {
namespace {

using F = FileId;

// Every file's related files in registration order, as published.
const std::pair<FileId, std::vector<FileId>> kExpected[] = {
    {F::VPhones, {F::Vendors}},
    {F::RepStates, {F::Representatives, F::States}},
    {F::RPhones, {F::Representatives}},
    {F::AccountTypes, {F::AccountRegistration}},
    {F::MPhones, {F::Members}},
    {F::Representatives,
     {F::RepStates, F::RPhones, F::States, F::Log, F::CheckSecurityReceipt, F::Transactions,
      F::AccountRegistration, F::Members}},
    {F::MembershipTypes, {F::Members}},
    {F::Commbrs, {F::Committees, F::Members}},
    {F::Committees, {F::Commbrs}},
    {F::Log, {F::Representatives, F::Members}},
    {F::Transactions,
     {F::Categories, F::AccountRegistration, F::Representatives, F::Securities, F::Members}},
    {F::Credit, {F::Members}},
    {F::AccountRegistration,
     {F::AccountTypes, F::Vendors, F::CheckSecurityReceipt, F::ClientHoldingRecord, F::Transactions,
      F::Representatives, F::Members}},
    {F::CheckSecurityReceipt, {F::AccountRegistration, F::Representatives, F::ChecksSecuritiesLog}},
    {F::ClientHoldingRecord, {F::AccountRegistration}},
    {F::Vendors, {F::States, F::VPhones, F::AccountRegistration}},
    {F::Rooms, {F::Categories}},
    {F::ChecksSecuritiesLog, {F::CheckSecurityReceipt}},
    {F::Members,
     {F::AccountRegistration, F::Representatives, F::ShipTo, F::Credit, F::Transactions, F::States,
      F::MPhones, F::MembershipTypes, F::Log, F::Commbrs}},
    {F::CPhones, {F::Categories}},
    {F::ShipTo, {F::States, F::Members}},
    {F::Categories, {F::CPhones, F::Rooms, F::Transactions, F::Securities}},
    {F::Securities, {F::InvestmentType, F::Categories, F::Transactions}},
    {F::InvestmentType, {F::Securities}},
    {F::States, {F::Vendors, F::RepStates, F::Representatives, F::ShipTo, F::Members}},
    {F::Letters, {}},
    {F::Labels, {}},
    {F::Defaults, {}},
};

TEST(Relations, EachFileListsItsRelatedFilesInRegistrationOrder) {
    ASSERT_EQ(std::size(kExpected), static_cast<std::size_t>(kFileCount));
    for (const auto& [file, expected] : kExpected) {
        std::vector<FileId> actual;
        for (const RelationDef& r : relationsOf(file)) actual.push_back(r.related);
        EXPECT_EQ(actual, expected) << fileDef(file).label;
    }
}

// Every relation stands on both files.
TEST(Relations, EveryRelationIsRegisteredOnBothFiles) {
    for (FileId file : dictionaryOrder()) {
        for (const RelationDef& r : relationsOf(file)) {
            int back = 0;
            for (const RelationDef& other : relationsOf(r.related)) back += other.related == file;
            EXPECT_EQ(back, 1) << fileDef(file).label << " - " << fileDef(r.related).label;
        }
    }
}

struct RuleCase {
    FileId file;
    FileId related;
    KeyRef key;
    Rule onUpdate;
    Rule onDelete;
    std::vector<std::pair<FieldRef, FieldRef>> links;
};

TEST(Relations, RulesKeysAndLinkingPairs) {
    const RuleCase cases[] = {
        {F::Members,
         F::AccountRegistration,
         ACC::MEMBERNUMBERKEY,
         Rule::Cascade,
         Rule::Restrict,
         {{MBR::MEMBERNUMBER, ACC::MEMBERNUMBER}}},
        {F::Members,
         F::Transactions,
         TRN::MEMBERNUMBERKEY,
         Rule::Cascade,
         Rule::None,
         {{MBR::MEMBERNUMBER, TRN::MEMBERNUMBER}}},
        {F::Members,
         F::Log,
         LOG::MEMBERKEY,
         Rule::Cascade,
         Rule::Cascade,
         {{MBR::MEMBERNUMBER, LOG::MEMBERNUMBER},
          {MBR::REPRESENTATIVENUMBER, LOG::REPRESENTATIVENUMBER}}},
        {F::AccountRegistration,
         F::Transactions,
         TRN::ACCOUNTREGISTRATIONNUMBERKEY,
         Rule::Cascade,
         Rule::Restrict,
         {{ACC::REGISTRATIONNUMBER, TRN::REGISTRATIONNUMBER},
          {ACC::ACCOUNTCLASS, TRN::ACCOUNTCLASS}}},
        {F::AccountRegistration,
         F::CheckSecurityReceipt,
         CSR::ACCOUNTREGISTRATIONKEY,
         Rule::None,
         Rule::None,
         {{ACC::REGISTRATIONNUMBER, CSR::ACCOUNTREGISTRATIONNUMBER}}},
        {F::Vendors,
         F::AccountRegistration,
         ACC::VENDORNUMBERKEY,
         Rule::Cascade,
         Rule::Restrict,
         {{VEN::VENDORNAME, ACC::COMPANY}}},
        {F::Securities,
         F::Transactions,
         TRN::SECURITIESKEY,
         Rule::Cascade,
         Rule::Restrict,
         {{SEC::CATEGORYNUMBER, TRN::CATEGORYNUMBER}, {SEC::SYMBOL, TRN::SYMBOL}}},
        {F::Representatives,
         F::Log,
         LOG::REPRESENTATIVENUMBERKEY,
         Rule::None,
         Rule::None,
         {{REP::REPRESENTATIVENUMBER, LOG::REPRESENTATIVENUMBER}}},
        {F::States,
         F::RepStates,
         RST::STATEKEY,
         Rule::None,
         Rule::None,
         {{ST::STATECODE, RST::STATE}}},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(fileDef(c.file).label + " - " + fileDef(c.related).label);
        const RelationDef* found = nullptr;
        for (const RelationDef& r : relationsOf(c.file)) {
            if (r.related == c.related) found = &r;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_TRUE(found->keyed);
        EXPECT_EQ(found->relatedKey, c.key.index);
        EXPECT_EQ(found->onUpdate, c.onUpdate);
        EXPECT_EQ(found->onDelete, c.onDelete);
        ASSERT_EQ(found->links.size(), c.links.size());
        for (std::size_t i = 0; i < c.links.size(); ++i) {
            EXPECT_EQ(found->links[i].field, c.links[i].first.index());
            EXPECT_EQ(found->links[i].relatedField, c.links[i].second.index());
            // The n-th pair fills the related key's n-th component.
            EXPECT_EQ(c.key.def().components[i].field, found->links[i].relatedField);
        }
    }
}

TEST(Relations, TheOtherSideOfARuledRelationIsAPlainTie) {
    for (const RelationDef& r : relationsOf(F::AccountRegistration)) {
        if (r.related == F::Members || r.related == F::Vendors || r.related == F::AccountTypes) {
            EXPECT_FALSE(r.keyed);
            EXPECT_TRUE(r.links.empty());
        }
    }
}

}  // namespace
}  // namespace bb
