// Window variables: values of a window itself (not of a record), such as a
// list's "show active, inactive or all" choice or a derived line a label
// shows. Each is declared once, as a constant of the window's source:
//
//   const TextVariable kShowOption{"ShowOption", 10, "Active"};
//
// The constant goes into the declaration's `locals` and wherever a control,
// an order or a range names the variable (`.local = kShowOption`); the
// window's code reaches the value through it (`Get(kShowOption)`,
// `Set(kShowOption, "All")`), typed, so that no name is written twice. The
// name is also what filters see the variable as.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/decimal.h"
#include "platform/record_layout.h"
#include "platform/value.h"

namespace bb {

// A window variable as the declaration holds it.
struct LocalDecl {
    std::string_view name{};
    FieldSpec spec{};
    std::string_view initial{};  // a number's in plain decimal form; empty: blank or 0
};

// A window variable of type T, declared once; see the file's comment.
template <class T>
class WindowVariable {
public:
    constexpr WindowVariable(std::string_view name, FieldSpec spec, std::string_view initial = {})
        : name_(name), spec_(spec), initial_(initial) {}

    constexpr std::string_view name() const { return name_; }
    // Where a declaration names the variable.
    constexpr operator std::string_view() const {
        return name_;
    }  // NOLINT(google-explicit-constructor)
    constexpr operator LocalDecl() const { return {name_, spec_, initial_}; }  // NOLINT

    static Value toValue(const T& value);
    static T fromValue(const Value& value);

private:
    std::string_view name_;
    FieldSpec spec_;
    std::string_view initial_;
};

template <>
inline Value WindowVariable<std::string>::toValue(const std::string& value) {
    return Value::text(value);
}
template <>
inline std::string WindowVariable<std::string>::fromValue(const Value& value) {
    return value.toText();
}
template <>
inline Value WindowVariable<std::int64_t>::toValue(const std::int64_t& value) {
    return Value::number(value);
}
template <>
inline std::int64_t WindowVariable<std::int64_t>::fromValue(const Value& value) {
    return value.toNumber().wholePart().toInt64();
}
template <>
inline Value WindowVariable<Decimal>::toValue(const Decimal& value) {
    return Value::number(value);
}
template <>
inline Decimal WindowVariable<Decimal>::fromValue(const Value& value) {
    return value.toNumber();
}

// A text of at most `size` characters.
struct TextVariable : WindowVariable<std::string> {
    constexpr TextVariable(std::string_view name, std::uint16_t size, std::string_view initial = {})
        : WindowVariable(name, FieldSpec{FieldType::String, size}, initial) {}
};

// A whole number (a record's number, a count; a date with the date role).
struct NumberVariable : WindowVariable<std::int64_t> {
    constexpr explicit NumberVariable(std::string_view name, FieldSpec spec = FieldSpec{},
                                      std::string_view initial = {})
        : WindowVariable(name, spec, initial) {}
};

// An exact decimal of `digits` digits, `places` of them after the point.
struct DecimalVariable : WindowVariable<Decimal> {
    constexpr DecimalVariable(std::string_view name, std::uint16_t digits, std::uint8_t places)
        : WindowVariable(name, FieldSpec{FieldType::Decimal, digits, places}) {}
};

}  // namespace bb
