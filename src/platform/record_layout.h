// The layout of a data file as the storage and the managers see it: its
// fields in order, its memo, and its keys. Layouts are declared once (the
// dictionary declares the program's 28 files) and never change at run time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bb {

enum class FieldType : std::uint8_t { Long, Short, Byte, String, Decimal, Memo };
// What a LONG holds, for display and for filters that compare dates.
enum class FieldRole : std::uint8_t { Plain, Date, Time };

// One field's type as a layout declares it.
struct FieldSpec {
    FieldType type = FieldType::Long;
    std::uint16_t width = 0;  // characters of a STRING or MEMO, digits of a DECIMAL
    std::uint8_t places = 0;  // places of a DECIMAL
    FieldRole role = FieldRole::Plain;
    const char* picture = "";  // stored display format, empty for none
};

struct FieldDef {
    std::string name;       // "MEMBERNUMBER"
    std::string mixedName;  // "MemberNumber", as filters and messages write it
    FieldSpec spec;

    bool isText() const { return spec.type == FieldType::String || spec.type == FieldType::Memo; }
    bool isMemo() const { return spec.type == FieldType::Memo; }
    bool isInteger() const {
        return spec.type == FieldType::Long || spec.type == FieldType::Short ||
               spec.type == FieldType::Byte;
    }
    // Bytes the field takes in the fixed part of the record (a memo takes none).
    int storedSize() const;
};

struct KeyComponent {
    int field = 0;  // index into FileDef::fields
    bool ascending = true;
};

struct KeyDef {
    std::string name;         // "MEMBERKEY"
    std::string description;  // shown by the duplicate-key message
    std::vector<KeyComponent> components;
    bool unique = false;
    bool noCase = false;
    // A record whose components are all blank (spaces or zero) is not in the key.
    bool blankExcluded = false;
    bool primary = false;
    // Position (from 1) of the auto-numbered component, 0 for none.
    int autoInc = 0;
};

struct FileDef {
    std::string label;             // "Members"
    std::string prefix;            // "MBR"
    std::string storedName;        // "MEMBERS"
    std::vector<FieldDef> fields;  // the memo, if any, last
    std::vector<KeyDef> keys;

    // Fields of the fixed part (the memo not counted).
    int fieldCount() const;
    // Sum of the fixed part's field widths.
    int recordSize() const;
    // Index of the memo field, or -1.
    int memoField() const;
    // Index of the primary key, or -1 when the file has none.
    int primaryKey() const;

    // Lookups by name, case-insensitive; the prefix is optional ("MBR:Active"
    // or "Active"). nullopt when there is no such field or key.
    std::optional<int> findField(std::string_view name) const;
    std::optional<int> findKey(std::string_view name) const;

    // "MBR:MemberNumber" and "MBR:MEMBERNUMBER".
    std::string qualifiedName(int field) const;
    std::string qualifiedUpperName(int field) const;
};

}  // namespace bb
