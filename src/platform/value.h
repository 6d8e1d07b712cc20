// A value as filters, pictures and access by name see it: a number (an exact
// decimal; dates, times and whole numbers are numbers too) or a text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/decimal.h"

namespace bb {

class Value {
public:
    Value() : v_(Decimal()) {}
    static Value number(Decimal d) { return Value(std::move(d)); }
    static Value number(std::int64_t n) { return Value(Decimal(n)); }
    static Value text(std::string s) { return Value(std::move(s)); }

    bool isNumber() const { return std::holds_alternative<Decimal>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }

    // REQUIRES: isNumber() / isText().
    const Decimal& asNumber() const { return std::get<Decimal>(v_); }
    const std::string& asText() const { return std::get<std::string>(v_); }

    // The number a text stands for when it is a valid number (spaces around
    // ignored; a blank text is 0); nullopt otherwise.
    std::optional<Decimal> numeric() const;
    // The number, or 0 for a text that is not a number.
    Decimal toNumber() const;
    // The text, or the number in plain decimal form.
    std::string toText() const;

private:
    explicit Value(Decimal d) : v_(std::move(d)) {}
    explicit Value(std::string s) : v_(std::move(s)) {}

    std::variant<Decimal, std::string> v_;
};

}  // namespace bb
