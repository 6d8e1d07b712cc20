// A record buffer: the values of one record of a file, field by field.
//
// Text fields hold at most their width in characters and are kept without
// trailing spaces; whole-number fields narrow to their width (SHORT 16 bits,
// BYTE 8 bits unsigned) as the stored record would; a DECIMAL field refuses a
// value it cannot hold instead of wrapping it. A cleared record has empty
// texts and zero numbers.
//
// A Record refers to its FileDef, which must outlive it. Not thread-safe.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/decimal.h"
#include "platform/record_layout.h"
#include "platform/value.h"

namespace bb {

class Record {
public:
    explicit Record(const FileDef& def);

    const FileDef& def() const { return *def_; }
    int size() const { return static_cast<int>(slots_.size()); }

    // Every text to empty, every number to zero.
    void clear();
    void clearField(int field);

    // REQUIRES: the field has the accessor's type.
    std::int32_t integer(int field) const { return std::get<std::int32_t>(slots_[index(field)]); }
    const std::string& text(int field) const { return std::get<std::string>(slots_[index(field)]); }
    const Decimal& decimal(int field) const { return std::get<Decimal>(slots_[index(field)]); }

    void setInteger(int field, std::int64_t value);
    void setText(int field, std::string_view value);
    // False, leaving the field as it was, when the field cannot hold the value
    // (too many digits, or a failed computation).
    [[nodiscard]] bool setDecimal(int field, const Decimal& value);
    // A DECIMAL field's value given as units of its own places, as the
    // storage keeps it: no rounding to do, only the width to check. False,
    // leaving the field as it was, when the field cannot hold it.
    [[nodiscard]] bool setUnits(int field, Decimal::Units units);
    // Field `field` of `from`, a record of the same file.
    void copyField(const Record& from, int field);

    // Access by value for filters, pictures and access by name: numbers of
    // any width come back as numbers, texts as texts.
    Value get(int field) const;
    // Sets from a value of either kind: a text into a number field must be a
    // valid number. False, leaving the field as it was, when it cannot be set.
    [[nodiscard]] bool set(int field, const Value& value);

    // True when every component of `key` is blank (empty text or zero).
    bool keyIsBlank(int key) const;

    friend bool operator==(const Record& a, const Record& b);

private:
    std::size_t index(int field) const { return static_cast<std::size_t>(field); }

    const FileDef* def_;
    std::vector<std::variant<std::int32_t, Decimal, std::string>> slots_;
};

}  // namespace bb
