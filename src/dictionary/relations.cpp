#include "dictionary/relations.h"

#include <array>
#include <utility>

namespace bb {

namespace {

struct Link {
    FieldRef field;
    FieldRef relatedField;
};

// A relation with rules, registered on the file of its first link's field.
struct RuledRelation {
    KeyRef relatedKey;
    Rule onUpdate;
    Rule onDelete;
    std::vector<Link> links;
};

constexpr Rule N = Rule::None;
constexpr Rule R = Rule::Restrict;
constexpr Rule C = Rule::Cascade;

// In registration order per file.
// clang-format off
const RuledRelation kRuled[] = {
    {ACC::ACCOUNTTYPEKEY, C, R, {{ACT::ACCOUNTTYPE, ACC::ACCOUNTTYPE}}},
    {RST::REPRESENTATIVENUMBERKEY, C, C, {{REP::REPRESENTATIVENUMBER, RST::REPRESENTATIVENUMBER}}},
    {RPH::REPRESENTATIVENUMBERKEY, C, C, {{REP::REPRESENTATIVENUMBER, RPH::REPRESENTATIVENUMBER}}},
    {ST::STATEKEY, N, N, {{REP::STATE, ST::STATECODE}}},
    {LOG::REPRESENTATIVENUMBERKEY, N, N, {{REP::REPRESENTATIVENUMBER, LOG::REPRESENTATIVENUMBER}}},
    {CSR::REPRESENTATIVENUMBERKEY, C, R, {{REP::REPRESENTATIVENUMBER, CSR::REPRESENTATIVENUMBER}}},
    {TRN::REPRESENTATIVENUMBERKEY, C, R, {{REP::REPRESENTATIVENUMBER, TRN::REPRESENTATIVENUMBER}}},
    {ACC::REPRESENTATIVENUMBERKEY, C, R, {{REP::REPRESENTATIVENUMBER, ACC::REPRESENTATIVENUMBER}}},
    {MBR::REPRESENTATIVENUMBERKEY, C, R, {{REP::REPRESENTATIVENUMBER, MBR::REPRESENTATIVENUMBER}}},
    {MBR::TYPEKEY, C, R, {{TYP::MEMBERTYPE, MBR::SALESLEVEL}}},
    {CMBRS::COMMITTEEKEY, C, C, {{COM::COMMITTEE, CMBRS::COMMITTEE}}},
    {CSR::ACCOUNTREGISTRATIONKEY, N, N, {{ACC::REGISTRATIONNUMBER, CSR::ACCOUNTREGISTRATIONNUMBER}}},
    {CLI::REGISTRATIONNUMBERKEY, C, R, {{ACC::REGISTRATIONNUMBER, CLI::REGISTRATIONNUMBER}}},
    {TRN::ACCOUNTREGISTRATIONNUMBERKEY, C, R,
     {{ACC::REGISTRATIONNUMBER, TRN::REGISTRATIONNUMBER}, {ACC::ACCOUNTCLASS, TRN::ACCOUNTCLASS}}},
    {CHE::CSRNUMBERKEY, C, C, {{CSR::CSRNUMBER, CHE::CSRNUMBER}}},
    {ST::STATEKEY, N, N, {{VEN::STATE, ST::STATECODE}}},
    {VPH::KEYVENDORNUMBER, C, C, {{VEN::VENDORNUMBER, VPH::VENDORNUMBER}}},
    {ACC::VENDORNUMBERKEY, C, R, {{VEN::VENDORNAME, ACC::COMPANY}}},
    {CAT::ROOMNUMBERKEY, C, R, {{ROO::ROOMNUMBER, CAT::ROOMNUMBER}}},
    {ACC::MEMBERNUMBERKEY, C, R, {{MBR::MEMBERNUMBER, ACC::MEMBERNUMBER}}},
    {SHI::MEMBERKEY, C, C, {{MBR::MEMBERNUMBER, SHI::MEMBERNUMBER}}},
    {CRE::MEMBERKEY, C, C, {{MBR::MEMBERNUMBER, CRE::MEMBERNUMBER}}},
    {TRN::MEMBERNUMBERKEY, C, N, {{MBR::MEMBERNUMBER, TRN::MEMBERNUMBER}}},
    {ST::STATEKEY, N, N, {{MBR::STATE, ST::STATECODE}}},
    {MPH::KEYMEMBERNUMBER, C, C, {{MBR::MEMBERNUMBER, MPH::MEMBERNUMBER}}},
    {LOG::MEMBERKEY, C, C,
     {{MBR::MEMBERNUMBER, LOG::MEMBERNUMBER}, {MBR::REPRESENTATIVENUMBER, LOG::REPRESENTATIVENUMBER}}},
    {CMBRS::MEMBERKEY, C, C, {{MBR::MEMBERNUMBER, CMBRS::MEMBERNUMBER}}},
    {ST::STATEKEY, N, N, {{SHI::STATE, ST::STATECODE}}},
    {CPH::CATEGORYNUMBERKEY, C, C, {{CAT::CATEGORYNUMBER, CPH::CATEGORYNUMBER}}},
    {TRN::SECURITIESKEY, C, R, {{CAT::CATEGORYNUMBER, TRN::CATEGORYNUMBER}}},
    {SEC::CATEGORYNUMBERKEY, C, R, {{CAT::CATEGORYNUMBER, SEC::CATEGORYNUMBER}}},
    {INV::INVESTTYPECODEKEY, N, N, {{SEC::INVESTMENTTYPE, INV::INVESTTYPECODE}}},
    {TRN::SECURITIESKEY, C, R,
     {{SEC::CATEGORYNUMBER, TRN::CATEGORYNUMBER}, {SEC::SYMBOL, TRN::SYMBOL}}},
    {RST::STATEKEY, N, N, {{ST::STATECODE, RST::STATE}}},
};
// clang-format on

using F = FileId;

// Every file's related files, with and without rules, in registration order.
const std::pair<FileId, std::vector<FileId>> kRelatedFiles[] = {
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
};

FileId ownerOf(const RuledRelation& r) {
    return r.links.begin()->field.file();
}

RelationDef keyed(const RuledRelation& r) {
    RelationDef def{r.relatedKey.file, true, r.relatedKey.index, r.onUpdate, r.onDelete, {}};
    for (const Link& l : r.links) def.links.push_back({l.field.index(), l.relatedField.index()});
    return def;
}

// A file's list: for each related file in order, its relation with rules
// when this file registers one, otherwise a plain tie.
std::vector<RelationDef> build(FileId file) {
    std::vector<RelationDef> list;
    for (const auto& [owner, related] : kRelatedFiles) {
        if (owner != file) continue;
        for (FileId other : related) {
            RelationDef def;
            def.related = other;
            for (const RuledRelation& r : kRuled) {
                if (ownerOf(r) == file && r.relatedKey.file == other) def = keyed(r);
            }
            list.push_back(std::move(def));
        }
    }
    return list;
}

}  // namespace

const std::vector<RelationDef>& relationsOf(FileId file) {
    static const std::array<std::vector<RelationDef>, kFileCount> all = [] {
        std::array<std::vector<RelationDef>, kFileCount> a;
        for (FileId id : dictionaryOrder()) a[static_cast<std::size_t>(id)] = build(id);
        return a;
    }();
    return all[static_cast<std::size_t>(file)];
}

}  // namespace bb
