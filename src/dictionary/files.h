// The program's 28 data files: their layouts, their record buffers and the
// typed handles through which window code reads and writes fields.
//
// Each file is declared once, as a list in dictionary/layouts/. From that list
// come the FileDef (storage layout, keys, access by name), the field and key
// numbers, and the handles: for the Members file, `MBR::COMPANYNAME` is a text
// field handle (`MBR::COMPANYNAME.get()`, `.set("Acme")`) on the process's one
// Members buffer, `MBR::NAMEKEY` a key handle, and `MBR::field::COMPANYNAME`
// the field's number in the record.
//
// Buffers are process-wide and used from the GUI thread only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "dictionary/layouts/account_files.h"
#include "dictionary/layouts/customer_files.h"
#include "dictionary/layouts/reference_files.h"
#include "platform/record.h"

// The files in dictionary order: the order in which they are set up and torn
// down. X(label, prefix, stored name, layout list).
// clang-format off
#define BB_ALL_FILES(X)                                                          \
    X(Members, MBR, "MEMBERS", BB_FILE_MEMBERS)                                  \
    X(ChecksSecuritiesLog, CHE, "CHECKSSE", BB_FILE_CHECKSSECURITIESLOG)         \
    X(Rooms, ROO, "ROOMS", BB_FILE_ROOMS)                                        \
    X(Vendors, VEN, "VENDORS", BB_FILE_VENDORS)                                  \
    X(ClientHoldingRecord, CLI, "CLIENTHO", BB_FILE_CLIENTHOLDINGRECORD)         \
    X(CheckSecurityReceipt, CSR, "CHECKSEC", BB_FILE_CHECKSECURITYRECEIPT)       \
    X(AccountRegistration, ACC, "ACCOUNTR", BB_FILE_ACCOUNTREGISTRATION)         \
    X(Credit, CRE, "CREDIT", BB_FILE_CREDIT)                                     \
    X(Transactions, TRN, "TRANSACT", BB_FILE_TRANSACTIONS)                       \
    X(Log, LOG, "LOG", BB_FILE_LOG)                                              \
    X(Committees, COM, "COMMITTE", BB_FILE_COMMITTEES)                           \
    X(Commbrs, CMBRS, "Commbrs", BB_FILE_COMMBRS)                                \
    X(MembershipTypes, TYP, "MEMBERSH", BB_FILE_MEMBERSHIPTYPES)                 \
    X(Representatives, REP, "REPRESEN", BB_FILE_REPRESENTATIVES)                 \
    X(MPhones, MPH, "MPHONES", BB_FILE_MPHONES)                                  \
    X(Letters, LTR, "LETTERS", BB_FILE_LETTERS)                                  \
    X(AccountTypes, ACT, "ACCOUNTT", BB_FILE_ACCOUNTTYPES)                       \
    X(RPhones, RPH, "RPHONES", BB_FILE_RPHONES)                                  \
    X(RepStates, RST, "REPSTATE", BB_FILE_REPSTATES)                             \
    X(VPhones, VPH, "VPHONES", BB_FILE_VPHONES)                                  \
    X(States, ST, "STATES", BB_FILE_STATES)                                      \
    X(InvestmentType, INV, "INVESTME", BB_FILE_INVESTMENTTYPE)                   \
    X(Securities, SEC, "SECURITI", BB_FILE_SECURITIES)                           \
    X(Categories, CAT, "CATEGORI", BB_FILE_CATEGORIES)                           \
    X(ShipTo, SHI, "SHIPTO", BB_FILE_SHIPTO)                                     \
    X(Labels, LAB, "LABELS", BB_FILE_LABELS)                                     \
    X(Defaults, CTRL, "DEFAULTS", BB_FILE_DEFAULTS)                              \
    X(CPhones, CPH, "CPHONES", BB_FILE_CPHONES)
// clang-format on

// Field types of the layout lists.
#define T_LONG (::bb::FieldSpec{::bb::FieldType::Long})
#define T_DATE (::bb::FieldSpec{::bb::FieldType::Long, 0, 0, ::bb::FieldRole::Date})
#define T_TIME (::bb::FieldSpec{::bb::FieldType::Long, 0, 0, ::bb::FieldRole::Time})
#define T_SHORT (::bb::FieldSpec{::bb::FieldType::Short})
#define T_BYTE (::bb::FieldSpec{::bb::FieldType::Byte})
#define T_STRING(n) (::bb::FieldSpec{::bb::FieldType::String, n})
#define T_STRING_PICTURE(n, picture) \
    (::bb::FieldSpec{::bb::FieldType::String, n, 0, ::bb::FieldRole::Plain, picture})
#define T_DECIMAL(digits, places) (::bb::FieldSpec{::bb::FieldType::Decimal, digits, places})
#define T_MEMO(n) (::bb::FieldSpec{::bb::FieldType::Memo, n})

namespace bb {

#define BB_FILE_ID(label, prefix, stored, list) label,
enum class FileId : std::uint8_t { BB_ALL_FILES(BB_FILE_ID) };
#undef BB_FILE_ID
inline constexpr int kFileCount = static_cast<int>(FileId::CPhones) + 1;

// Key attributes as the layout lists write them.
inline constexpr unsigned kPrimary = 1;
inline constexpr unsigned kUnique = 2;
inline constexpr unsigned kDups = 4;
inline constexpr unsigned kNoCase = 8;
inline constexpr unsigned kBlankExcluded = 16;

const FileDef& fileDef(FileId id);
// The file's one record buffer.
Record& buffer(FileId id);
// Every file, in dictionary order.
const std::array<FileId, kFileCount>& dictionaryOrder();
// Lookup by label ("Members") or prefix ("MBR"), case-insensitive.
std::optional<FileId> fileByLabel(std::string_view label);
std::optional<FileId> fileByPrefix(std::string_view prefix);

struct FieldLocation {
    FileId file;
    int field;
};
// A field by its qualified name ("MBR:Active", any case).
std::optional<FieldLocation> findField(std::string_view qualifiedName);

// A field of a file's buffer.
class FieldRef {
public:
    constexpr FieldRef(FileId file, int index) : file_(file), index_(index) {}
    FileId file() const { return file_; }
    int index() const { return index_; }
    const FieldDef& def() const { return fileDef(file_).fields[static_cast<std::size_t>(index_)]; }
    // "MBR:CompanyName".
    std::string name() const { return fileDef(file_).qualifiedName(index_); }
    Value value() const { return buffer(file_).get(index_); }
    void clear() const { buffer(file_).clearField(index_); }

protected:
    Record& record() const { return buffer(file_); }

private:
    FileId file_;
    int index_;
};

class IntegerField : public FieldRef {
public:
    using FieldRef::FieldRef;
    std::int32_t get() const { return record().integer(index()); }
    void set(std::int64_t v) const { record().setInteger(index(), v); }
};

class TextField : public FieldRef {
public:
    using FieldRef::FieldRef;
    const std::string& get() const { return record().text(index()); }
    void set(std::string_view v) const { record().setText(index(), v); }
};

class DecimalField : public FieldRef {
public:
    using FieldRef::FieldRef;
    const Decimal& get() const { return record().decimal(index()); }
    [[nodiscard]] bool set(const Decimal& v) const { return record().setDecimal(index(), v); }
};

template <FieldType T>
using FieldHandle =
    std::conditional_t<T == FieldType::String || T == FieldType::Memo, TextField,
                       std::conditional_t<T == FieldType::Decimal, DecimalField, IntegerField>>;

struct KeyRef {
    FileId file;
    int index;
    const KeyDef& def() const { return fileDef(file).keys[static_cast<std::size_t>(index)]; }
};

#define BB_NOTHING(...)
#define BB_FIELD_NUMBER(name, mixed, spec) name,
#define BB_KEY_NUMBER(name, ...) name,
// `name` is the name declared, so it cannot stand in parentheses.
// clang-format off
#define BB_FIELD_HANDLE(name, mixed, spec) \
    inline constexpr ::bb::FieldHandle<(spec).type> name{kFile, field::name}; /* NOLINT(bugprone-macro-parentheses) */
// clang-format on
#define BB_KEY_HANDLE(name, ...) inline constexpr ::bb::KeyRef name{kFile, key::name};
#define BB_DECLARE_FILE(label, prefix, stored, list)                  \
    namespace prefix {                                                \
    inline constexpr ::bb::FileId kFile = ::bb::FileId::label;        \
    namespace field {                                                 \
    enum : int { list(BB_FIELD_NUMBER, BB_NOTHING) kCount };          \
    }                                                                 \
    namespace key {                                                   \
    enum : int { list(BB_NOTHING, BB_KEY_NUMBER) kCount };            \
    }                                                                 \
    list(BB_FIELD_HANDLE, BB_NOTHING) list(BB_NOTHING, BB_KEY_HANDLE) \
    }

BB_ALL_FILES(BB_DECLARE_FILE)

#undef BB_DECLARE_FILE
#undef BB_KEY_HANDLE
#undef BB_FIELD_HANDLE
#undef BB_KEY_NUMBER
#undef BB_FIELD_NUMBER

}  // namespace bb
